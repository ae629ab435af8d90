#include "widget/clock/win32/clock_window.h"

#include <algorithm>

#include "common/path_util.h"
#include "common/win32/gdiplus_session.h"
#include "common/win32/owned_windows.h"
#include "controls/win32/layer_window.h"
#include "widget/clock/win32/clock_painter.h"

namespace {

constexpr UINT_PTR kRedrawTimer = 1;
constexpr UINT kRedrawPeriodMs = 500;

// A skin folder with a file named twhite.txt wants white text.
bool WantsWhiteText(const std::string& skinFolder) {
    const DWORD attributes = GetFileAttributesA(JoinPath(skinFolder, "twhite.txt").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

BYTE Opacity(int alpha) {
    return static_cast<BYTE>(std::clamp(alpha, 0, 255));
}

}  // namespace

class ClockWindow::Impl {
public:
    explicit Impl(const NetworkTimeTiming& timing) : timing_(timing), window_(*this) {}

    bool Create(HWND owner, const Settings& settings);
    void Destroy();
    // Draws a frame now if the window is shown; a hidden window is drawn
    // again when it is shown.
    void Redraw();
    // Shown: a frame at once and one every 500 ms. Hidden: none at all.
    void StartRedraw();
    void StopRedraw();

    void SetOpacity(int alpha) { opacity_ = Opacity(alpha); }
    void SetSkinFolder(const std::string& skinFolder) {
        whiteText_ = WantsWhiteText(skinFolder);
        painter_.LoadImages(commskinsFolder_, skinFolder);
    }
    HWND Window() const { return window_.GetSafeHwnd(); }
    const ClockFace& Face() const { return face_; }
    Gdiplus::Bitmap* Surface() const { return Window() != nullptr ? window_.GetBackBuffer() : nullptr; }
    unsigned long FramesShown() const { return window_.FramesShown(); }

private:
    void DrawFrame();

    // The layered window itself; its timer drives the redraw, which runs
    // only while the window is shown, however it is shown or hidden
    // (ShowWindow, SetWindowPos).
    class LayerSurface : public cmmctrls::CLayerWindow {
    public:
        explicit LayerSurface(Impl& owner) : owner_(owner) {}

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
            if (message == WM_TIMER && wParam == kRedrawTimer) {
                owner_.Redraw();
                return 0;
            }
            const LRESULT result = CLayerWindow::WindowProc(message, wParam, lParam);
            if (message == WM_WINDOWPOSCHANGED) {
                const UINT flags = reinterpret_cast<const WINDOWPOS*>(lParam)->flags;
                if ((flags & SWP_SHOWWINDOW) != 0) {
                    owner_.StartRedraw();
                } else if ((flags & SWP_HIDEWINDOW) != 0) {
                    owner_.StopRedraw();
                }
            }
            return result;
        }

    private:
        Impl& owner_;
    };

    // Declared first: GDI+ must outlive the painter's images and the
    // window's back buffer.
    GdiplusSession gdiplus_;
    NetworkTimeTiming timing_;
    ClockPainter painter_;
    LayerSurface window_;
    std::unique_ptr<NetworkTimeWorker> worker_;
    ColonPhase colon_;
    ClockFace face_;
    std::string commskinsFolder_;
    BYTE opacity_ = 255;
    bool whiteText_ = false;
};

bool ClockWindow::Impl::Create(HWND owner, const Settings& settings) {
    if (Window() != nullptr || !gdiplus_.ok()) {
        return false;
    }
    opacity_ = Opacity(settings.alpha);
    whiteText_ = WantsWhiteText(settings.skinFolder);
    commskinsFolder_ = settings.commskinsFolder;
    painter_.LoadImages(commskinsFolder_, settings.skinFolder);
    if (!window_.CreateEx(WS_EX_TOOLWINDOW, kTitle, kTitle, WS_POPUP, 0, 0, kWidth, kHeight, owner, nullptr)) {
        painter_.FreeImages();
        return false;
    }
    // Showing draws the first frame and starts the redraw timer.
    ShowWindow(Window(), SW_SHOWNOACTIVATE);
    worker_ = std::make_unique<NetworkTimeWorker>(ReadTimeServerAddress(settings.networkIniPath), timing_);
    // Without the worker the clock still runs; the banner shows the slogan.
    worker_->Start();
    return true;
}

void ClockWindow::Impl::Destroy() {
    worker_.reset();
    if (Window() != nullptr) {
        KillTimer(Window(), kRedrawTimer);
        window_.DestroyWindow();
    }
    painter_.FreeImages();
}

void ClockWindow::Impl::StartRedraw() {
    DrawFrame();
    SetTimer(Window(), kRedrawTimer, kRedrawPeriodMs, nullptr);
}

void ClockWindow::Impl::StopRedraw() {
    KillTimer(Window(), kRedrawTimer);
}

void ClockWindow::Impl::Redraw() {
    if (IsWindowVisible(Window())) {
        DrawFrame();
    }
}

void ClockWindow::Impl::DrawFrame() {
    Gdiplus::Graphics* graphics = window_.GetGraphics();
    Gdiplus::Bitmap* surface = window_.GetBackBuffer();
    if (graphics == nullptr || surface == nullptr) {
        return;
    }
    const std::optional<Moment> networkMoment = worker_ ? worker_->NetworkTime() : std::nullopt;
    const std::optional<LocalTime> networkTime =
        networkMoment ? std::optional<LocalTime>(ToLocalTime(*networkMoment)) : std::nullopt;
    face_ = ComposeClockFace(ToLocalTime(SystemClock().Now()), colon_.Next(), networkTime);
    painter_.Paint(*graphics, static_cast<int>(surface->GetWidth()), static_cast<int>(surface->GetHeight()), face_,
                   whiteText_);
    window_.SetLayerBitmap(surface, opacity_);
}

ClockWindow::ClockWindow() : ClockWindow(NetworkTimeTiming{}) {}

ClockWindow::ClockWindow(const NetworkTimeTiming& timing) : impl_(std::make_unique<Impl>(timing)) {}

ClockWindow::~ClockWindow() {
    Destroy();
}

bool ClockWindow::Create(HWND owner, const Settings& settings) {
    return impl_->Create(owner, settings);
}

void ClockWindow::Destroy() {
    impl_->Destroy();
}

void ClockWindow::MoveTo(int x, int y) {
    if (GetSafeHwnd() != nullptr) {
        SetWindowPos(GetSafeHwnd(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

void ClockWindow::SetAlpha(int alpha) {
    impl_->SetOpacity(alpha);
    impl_->Redraw();
}

void ClockWindow::SetSkinFolder(const std::string& skinFolder) {
    impl_->SetSkinFolder(skinFolder);
    impl_->Redraw();
}

bool ClockWindow::Show(bool show) {
    if (GetSafeHwnd() == nullptr) {
        return false;
    }
    const bool wasVisible = ShowWindow(GetSafeHwnd(), show ? SW_SHOWNOACTIVATE : SW_HIDE) != FALSE;
    if (show) {
        // Shown where it was in the stack, which may be under the calendar;
        // a clock left there is still shown, just covered until the next show.
        KeepAboveOwner(GetSafeHwnd());
    }
    return wasVisible;
}

HWND ClockWindow::GetSafeHwnd() const {
    return impl_->Window();
}

unsigned long ClockWindow::FramesShown() const {
    return impl_->FramesShown();
}

const ClockFace& ClockWindow::ShownFace() const {
    return impl_->Face();
}

Gdiplus::Bitmap* ClockWindow::Surface() const {
    return impl_->Surface();
}
