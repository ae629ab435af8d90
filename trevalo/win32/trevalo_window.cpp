#include "trevalo/win32/trevalo_window.h"

#include <exception>
#include <utility>

#include "hook/win32/lyn_hook32.h"
#include "trevalo/win32/browser_page.h"

namespace {

// The frame's pictures in the skin folder.
FlatDlgImages FrameImages(const TrevaloFolders& folders) {
    FlatDlgImages images;
    images.titleLeft = SkinImage(folders, "title1.bmp");
    images.titleMiddle = SkinImage(folders, "title2.bmp");
    images.titleRight = SkinImage(folders, "title3.bmp");
    images.bottomLeft = SkinImage(folders, "bottom1.bmp");
    images.bottomMiddle = SkinImage(folders, "bottom2.bmp");
    images.bottomRight = SkinImage(folders, "bottom3.bmp");
    return images;
}

FlatDlgButtonImages ButtonImages(const TrevaloFolders& folders) {
    FlatDlgButtonImages images;
    for (int state = 0; state < 3; ++state) {
        const std::string number = std::to_string(state + 1);
        images.minimise[state] = SkinImage(folders, "min" + number + ".bmp");
        images.maximise[state] = SkinImage(folders, "max" + number + ".bmp");
        images.close[state] = SkinImage(folders, "close" + number + ".bmp");
    }
    return images;
}

constexpr COLORREF kBackground = RGB(0xF3, 0xF6, 0xFA);

RECT WorkArea() {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area = RECT{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return area;
}

}  // namespace

TrevaloWindow::TrevaloWindow(ProgramMode mode, const TrevaloFolders& folders, std::unique_ptr<ModeView> view)
    : mode_(mode), folders_(folders), view_(std::move(view)) {}

// The worker is joined in OnDestroy; this covers a window that was never
// made or ended before its destruction message.
TrevaloWindow::~TrevaloWindow() {
    StopTreeWorker();
}

bool TrevaloWindow::OnInitDialog() {
    if (!view_) {
        return false;
    }
    ApplySkin();
    const std::string siteHost = SiteHostOf(folders_);
    RECT bannerPlace{0, GetTitleHeight(), kTrevaloMinimumWidth, GetTitleHeight() + kBannerHeight};
    banner_ = BrowserPage::Create(GetSafeHwnd(), bannerPlace, nullptr);
    if (banner_) {
        banner_->Navigate(BannerPage(siteHost));
        ShowWindow(banner_->Handle(), SW_SHOW);
    }
    if (!view_->Create(*this, folders_, siteHost)) {
        return false;
    }
    viewCreated_ = true;
    PlaceOnWorkArea();
    Register();
    StartTreeWorker();
    return true;
}

void TrevaloWindow::ApplySkin() {
    SetBorderStyle(1);
    SetBkColor(kBackground);
    // A missing picture leaves plain bars: the window is still usable.
    SetTitleImage(FrameImages(folders_));
    SetWindowButtons(ButtonImages(folders_), FlatDlgButtonTips{"最小化", "最大化", "退出"});
    SetTitleTextStyle(RGB(0xFF, 0xFF, 0xFF), true, 13);
    SetMinimumSize(kTrevaloMinimumWidth, kTrevaloMinimumHeight);
}

// Four fifths of the work area, its top-left corner a tenth in.
void TrevaloWindow::PlaceOnWorkArea() {
    const RECT area = WorkArea();
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    SetWindowPos(GetSafeHwnd(), nullptr, area.left + width / 10, area.top + height / 10, width * 4 / 5, height * 4 / 5,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TrevaloWindow::Register() {
    if (mode_ == ProgramMode::kNavigation) {
        SetHookTrevaloWnd(GetSafeHwnd());
    } else {
        SetHookMsnviewWnd(GetSafeHwnd());
    }
}

void TrevaloWindow::OnSize(int width, int height) {
    const int top = GetTitleHeight();
    if (banner_) {
        MoveWindow(banner_->Handle(), 1, top, width > 2 ? width - 2 : 0, kBannerHeight, TRUE);
    }
    if (viewCreated_) {
        const int bottom = height - GetBottomHeight();
        const RECT area{1, top + kBannerHeight, width > 1 ? width - 1 : 0,
                        bottom > top + kBannerHeight ? bottom : top + kBannerHeight};
        view_->Layout(area);
    }
}

void TrevaloWindow::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (viewCreated_) {
        view_->OnCommand(wParam, lParam);
    }
}

LRESULT TrevaloWindow::OnNotify(const NMHDR& header) {
    LRESULT result = 0;
    if (viewCreated_) {
        view_->OnNotify(header, result);
    }
    return result;
}

bool TrevaloWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == kLynHookMessage) {
        OnHookMessage(wParam);
        result = 1;
        return true;
    }
    if (message == kRebuildTreeMessage) {
        StopTreeWorker();
        StartTreeWorker();
        result = 0;
        return true;
    }
    return viewCreated_ && view_->OnMessage(message, wParam, lParam, result);
}

void TrevaloWindow::OnHookMessage(WPARAM reason) {
    HWND window = GetSafeHwnd();
    switch (reason) {
        case kLynHookEndProgram:
            EndDialog(0);
            break;
        case kLynHookMouseClick:
            if (viewCreated_) {
                view_->OnClickElsewhere();
            }
            break;
        case kLynHookBringForward:
            ShowWindow(window, SW_RESTORE);
            ShowWindow(window, SW_SHOW);
            // Topmost and back raises it above every window, also above
            // topmost ones, without leaving it topmost.
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            SetWindowPos(window, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
            SetForegroundWindow(window);
            break;
        default:
            break;
    }
}

void TrevaloWindow::OnDestroy() {
    StopTreeWorker();
    if (viewCreated_) {
        view_->OnClose();
        viewCreated_ = false;
    }
}

void TrevaloWindow::StartTreeWorker() {
    workerDone_.reset(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!workerDone_) {
        return;
    }
    workerRunning_ = true;
    ModeView* view = view_.get();
    HANDLE done = workerDone_.get();
    try {
        worker_ = std::thread([this, view, done] {
            try {
                view->BuildTree();
            } catch (...) {
                // A tree left half built is no reason to end the program.
            }
            workerRunning_ = false;
            SetEvent(done);
        });
    } catch (const std::exception&) {
        workerRunning_ = false;
    }
}

// The worker fills the tree with messages sent to this thread, so it can
// only finish while this thread keeps taking sent messages: wait for it
// while dispatching those (and nothing else, so no other handler runs in
// the middle of closing).
void TrevaloWindow::StopTreeWorker() {
    if (!worker_.joinable()) {
        return;
    }
    if (view_) {
        view_->StopTree();
    }
    const HANDLE done = workerDone_.get();
    while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG message;
        // Peeking delivers the messages sent from other threads; the answer
        // itself does not matter.
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker_.join();
}
