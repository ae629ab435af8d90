#include "loader/win32/about_window.h"

#include <cstring>

#include "common/text_encoding.h"
#include "common/win32/gdiplus_session.h"
#include "common/win32/top_down_dib.h"

namespace {

constexpr char kClassName[] = "QvCalendar About Class";
constexpr char kTitle[] = "About Pellora.loader";
constexpr UINT_PTR kFadeTimer = 1;
constexpr UINT kFadeIntervalMs = 20;
// Where the version goes on the picture, and how it is written: three
// blanks before it, white at 225 of 255, Tahoma 12 pixels.
constexpr float kVersionX = 232.0f;
constexpr float kVersionY = 97.0f;
constexpr BYTE kVersionAlpha = 225;
const Gdiplus::Color kNightBlue(255, 0x0E, 0x1A, 0x36);
constexpr const wchar_t* kVersionFaces[] = {L"Tahoma", L"Microsoft Sans Serif", L"Arial",
                                            L"SimSun", L"DejaVu Sans",          L"WenQuanYi Zen Hei"};

std::wstring Wide(const std::string& gbk) {
    std::u16string wide = GbkToUtf16(gbk);
    return std::wstring(wide.begin(), wide.end());
}

}  // namespace

AboutWindow::AboutWindow(HINSTANCE instance, std::string imagePath, std::string version)
    : instance_(instance), imagePath_(std::move(imagePath)), version_(std::move(version)) {}

AboutWindow::~AboutWindow() {
    if (window_) {
        KillTimer(window_.get(), kFadeTimer);
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    }
    window_.reset();
    if (faceDc_ && previousBitmap_ != nullptr) {
        SelectObject(faceDc_.get(), previousBitmap_);
    }
}

std::vector<std::uint32_t> AboutWindow::DrawFace(const std::string& imagePath, const std::string& version) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kWidth) * kHeight, 0);
    GdiplusSession gdiplus;
    if (!gdiplus.ok()) {
        return pixels;
    }
    // GDI+ draws straight into our pixels, premultiplied as
    // UpdateLayeredWindow wants them.
    Gdiplus::Bitmap face(kWidth, kHeight, kWidth * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(pixels.data()));
    Gdiplus::Graphics graphics(&face);
    Gdiplus::Bitmap picture(Wide(imagePath).c_str());
    if (picture.GetLastStatus() == Gdiplus::Ok && picture.GetWidth() > 0) {
        graphics.DrawImage(&picture, 0, 0, kWidth, kHeight);
    } else {
        Gdiplus::SolidBrush night(kNightBlue);
        graphics.FillRectangle(&night, 0, 0, kWidth, kHeight);
    }
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    // Tahoma, as on every Windows; a system without it (a bare Wine prefix)
    // gets the first of a few common faces, and no text rather than a crash
    // when it has none of them.
    for (const wchar_t* faceName : kVersionFaces) {
        Gdiplus::FontFamily family(faceName);
        if (family.GetLastStatus() != Gdiplus::Ok) {
            continue;
        }
        Gdiplus::Font font(&family, 12.0f, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        Gdiplus::SolidBrush white(Gdiplus::Color(kVersionAlpha, 255, 255, 255));
        std::wstring text = Wide("   " + version);
        graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, Gdiplus::PointF(kVersionX, kVersionY),
                            &white);
        break;
    }
    return pixels;
}

bool AboutWindow::Create() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ObjectWindowProcedure<AboutWindow>;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
    window_.reset(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, kClassName, kTitle, WS_POPUP, left,
                                  top, kWidth, kHeight, nullptr, nullptr, instance_, this));
    if (!window_) {
        return false;
    }
    std::vector<std::uint32_t> pixels = DrawFace(imagePath_, version_);
    void* bits = nullptr;
    faceBitmap_ = CreateTopDownDib(nullptr, kWidth, kHeight, &bits);  // top-down, as the pixels are
    faceDc_.reset(CreateCompatibleDC(nullptr));
    if (!faceBitmap_ || !faceDc_ || bits == nullptr) {
        window_.reset();
        return false;
    }
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    previousBitmap_ = SelectObject(faceDc_.get(), faceBitmap_.get());
    return true;
}

void AboutWindow::Show() {
    if (!window_ && !Create()) {
        return;
    }
    alpha_ = kFadeLowest;
    fading_ = 1;
    Present();
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    SetForegroundWindow(window_.get());
    SetTimer(window_.get(), kFadeTimer, kFadeIntervalMs, nullptr);
}

void AboutWindow::Close() {
    if (!window_ || !IsWindowVisible(window_.get())) {
        return;
    }
    fading_ = -1;
    SetTimer(window_.get(), kFadeTimer, kFadeIntervalMs, nullptr);
}

void AboutWindow::Present() {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, alpha_, AC_SRC_ALPHA};
    POINT source{0, 0};
    SIZE size{kWidth, kHeight};
    RECT place{};
    GetWindowRect(window_.get(), &place);
    POINT destination{place.left, place.top};
    UpdateLayeredWindow(window_.get(), nullptr, &destination, &size, faceDc_.get(), &source, 0, &blend, ULW_ALPHA);
}

// One step of a fade: 105 to 255 in, 255 down to 105 out, 15 a step.
void AboutWindow::Step() {
    if (fading_ > 0) {
        alpha_ = static_cast<BYTE>(std::min(255, alpha_ + kFadeStep));
    } else if (fading_ < 0) {
        alpha_ = static_cast<BYTE>(std::max<int>(kFadeLowest, alpha_ - kFadeStep));
    }
    Present();
    bool done = (fading_ > 0 && alpha_ == 255) || (fading_ < 0 && alpha_ == kFadeLowest) || fading_ == 0;
    if (done) {
        KillTimer(window_.get(), kFadeTimer);
        if (fading_ < 0) {
            ShowWindow(window_.get(), SW_HIDE);
        }
        fading_ = 0;
    }
}

LRESULT AboutWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kFadeTimer) {
                Step();
                return 0;
            }
            break;
        case WM_LBUTTONUP:
            Close();
            return 0;
        case WM_KEYDOWN:
            if (wParam == VK_ESCAPE) {
                Close();
                return 0;
            }
            break;
        case WM_CLOSE:
            Close();  // hidden, kept for the next time
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
