#include "loader/win32/notice_window.h"

#include <cstring>

#include "common/text_encoding.h"
#include "common/win32/gdiplus_session.h"
#include "common/win32/top_down_dib.h"
#include "loader/desktop_commands.h"
#include "loader/update_notice.h"

namespace {

constexpr char kClassName[] = "QvCalendar Notice Class";
constexpr UINT_PTR kRollTimer = 1;
constexpr UINT kRollIntervalMs = 10;
// 宋体 as on every Chinese Windows; a system without it (a bare Wine prefix)
// gets the first of a few faces with Chinese characters, and no text rather
// than a crash when it has none of them.
constexpr const char* kTextFaces[] = {"宋体", "SimSun", "NSimSun", "WenQuanYi Zen Hei", "Noto Sans CJK SC"};
constexpr float kTextPixels = 12.0f;
const Gdiplus::Color kFallbackFace(255, 255, 255, 255);
const Gdiplus::Color kFallbackBorder(255, 0xB7, 0xC2, 0xD0);

std::wstring Wide(const std::string& gbk) {
    std::u16string wide = GbkToUtf16(gbk);
    return std::wstring(wide.begin(), wide.end());
}

RECT WorkArea() {
    RECT area{};
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        area = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    return area;
}

void DrawNoticeText(Gdiplus::Graphics& graphics, const std::string& text) {
    const std::wstring wide = Wide(text);
    Gdiplus::StringFormat format;
    format.SetAlignment(Gdiplus::StringAlignmentNear);
    format.SetLineAlignment(Gdiplus::StringAlignmentNear);
    format.SetTrimming(Gdiplus::StringTrimmingEllipsisCharacter);
    const Gdiplus::RectF place(static_cast<float>(kNoticeTextLeft), static_cast<float>(kNoticeTextTop),
                               static_cast<float>(kNoticeTextWidth), static_cast<float>(kNoticeTextHeight));
    Gdiplus::SolidBrush black(Gdiplus::Color(255, 0, 0, 0));
    for (const char* faceName : kTextFaces) {
        Gdiplus::FontFamily family(Wide(faceName).c_str());
        if (family.GetLastStatus() != Gdiplus::Ok) {
            continue;
        }
        Gdiplus::Font font(&family, kTextPixels, Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
        graphics.DrawString(wide.c_str(), static_cast<INT>(wide.size()), &font, place, &format, &black);
        return;
    }
}

}  // namespace

NoticeWindow::NoticeWindow(HINSTANCE instance, std::string imagePath, DesktopShell& shell)
    : instance_(instance), imagePath_(std::move(imagePath)), shell_(shell) {}

NoticeWindow::~NoticeWindow() {
    if (window_) {
        KillTimer(window_.get(), kRollTimer);
        SetWindowLongPtrA(window_.get(), GWLP_USERDATA, 0);
    }
    window_.reset();
    if (faceDc_ && previousBitmap_ != nullptr) {
        SelectObject(faceDc_.get(), previousBitmap_);
    }
}

bool NoticeWindow::Create() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ObjectWindowProcedure<NoticeWindow>;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExA(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        return false;
    }
    const RECT area = WorkArea();
    window_.reset(CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_LAYERED, kClassName, "", WS_POPUP,
                                  area.right - kNoticeWidth, area.bottom - kNoticeCreatedHeight, kNoticeWidth,
                                  kNoticeCreatedHeight, nullptr, nullptr, instance_, this));
    return static_cast<bool>(window_);
}

std::vector<std::uint32_t> NoticeWindow::DrawFace(const std::string& imagePath, const std::string& text) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(kNoticeWidth) * kNoticeHeight, 0);
    GdiplusSession gdiplus;
    if (!gdiplus.ok()) {
        return pixels;
    }
    // GDI+ draws straight into our pixels, premultiplied as
    // UpdateLayeredWindow wants them; GDI text would leave alpha 0 there.
    Gdiplus::Bitmap face(kNoticeWidth, kNoticeHeight, kNoticeWidth * 4, PixelFormat32bppPARGB,
                         reinterpret_cast<BYTE*>(pixels.data()));
    Gdiplus::Graphics graphics(&face);
    Gdiplus::Bitmap picture(Wide(imagePath).c_str());
    if (picture.GetLastStatus() == Gdiplus::Ok && picture.GetWidth() > 0) {
        graphics.DrawImage(&picture, 0, 0, kNoticeWidth, kNoticeHeight);
    } else {
        Gdiplus::SolidBrush white(kFallbackFace);
        graphics.FillRectangle(&white, 0, 0, kNoticeWidth, kNoticeHeight);
        Gdiplus::Pen border(kFallbackBorder);
        graphics.DrawRectangle(&border, 0, 0, kNoticeWidth - 1, kNoticeHeight - 1);
    }
    graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
    DrawNoticeText(graphics, text);
    return pixels;
}

// The face lives in a DIB section selected into a memory DC, which is what
// UpdateLayeredWindow takes its pixels from.
bool NoticeWindow::MakeFace() {
    const std::vector<std::uint32_t> pixels = DrawFace(imagePath_, text_);
    if (!faceBitmap_) {
        void* bits = nullptr;
        // Top-down, as the pixels are.
        UniqueGdiObject bitmap = CreateTopDownDib(nullptr, kNoticeWidth, kNoticeHeight, &bits);
        UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
        if (!bitmap || !dc || bits == nullptr) {
            return false;
        }
        faceBitmap_ = std::move(bitmap);
        faceDc_ = std::move(dc);
        faceBits_ = bits;
        previousBitmap_ = SelectObject(faceDc_.get(), faceBitmap_.get());
    }
    GdiFlush();  // GDI may still be using the bits of the last notice
    std::memcpy(faceBits_, pixels.data(), pixels.size() * sizeof(std::uint32_t));
    return true;
}

void NoticeWindow::Show(const std::string& text, const std::string& address) {
    if (!window_) {
        return;
    }
    text_ = text;
    address_ = address;
    if (!MakeFace()) {
        return;
    }
    workArea_ = WorkArea();
    rollStart_ = GetTickCount();
    rolling_ = true;
    Present(NoticeRollHeight(0));
    ShowWindow(window_.get(), SW_SHOW);
    SetForegroundWindow(window_.get());
    SetTimer(window_.get(), kRollTimer, kRollIntervalMs, nullptr);
}

void NoticeWindow::Hide() {
    if (!window_) {
        return;
    }
    KillTimer(window_.get(), kRollTimer);
    rolling_ = false;
    ShowWindow(window_.get(), SW_HIDE);
}

// The roll uncovers the face from the bottom: the window holds the lowest
// `height` rows of the face at their final place, so it grows upwards.
void NoticeWindow::Present(int height) {
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    POINT source{0, kNoticeHeight - height};
    SIZE size{kNoticeWidth, height};
    POINT destination{workArea_.right - kNoticeWidth, workArea_.bottom - height};
    UpdateLayeredWindow(window_.get(), nullptr, &destination, &size, faceDc_.get(), &source, 0, &blend, ULW_ALPHA);
}

// Each step is sized by the time since the roll began, so a late timer
// makes the roll coarser, never longer.
void NoticeWindow::RollStep() {
    const int height = NoticeRollHeight(GetTickCount() - rollStart_);
    Present(height);
    if (height == kNoticeHeight) {
        KillTimer(window_.get(), kRollTimer);
        rolling_ = false;
    }
}

// Client points are turned into face points: while the window rolls its top
// row is not the face's.
void NoticeWindow::OnClick(int x, int y) {
    RECT place{};
    GetWindowRect(window_.get(), &place);
    const int faceY = y + kNoticeHeight - (place.bottom - place.top);
    switch (NoticeSpotAt(x, faceY)) {
        case NoticeSpot::kClose:
            Hide();
            break;
        case NoticeSpot::kLink:
            Hide();
            if (IsWebAddress(address_)) {
                shell_.Open(address_, "open");
            }
            break;
        case NoticeSpot::kNone:
            break;
    }
}

bool NoticeWindow::OverLink() const {
    POINT cursor{};
    RECT place{};
    if (!GetCursorPos(&cursor) || !GetWindowRect(window_.get(), &place)) {
        return false;
    }
    const int faceY = cursor.y - place.top + kNoticeHeight - (place.bottom - place.top);
    return NoticeSpotAt(cursor.x - place.left, faceY) == NoticeSpot::kLink;
}

LRESULT NoticeWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_TIMER:
            if (wParam == kRollTimer) {
                RollStep();
                return 0;
            }
            break;
        case WM_SETCURSOR:
            if (LOWORD(lParam) == HTCLIENT && OverLink()) {
                SetCursor(LoadCursor(nullptr, IDC_HAND));
                return TRUE;
            }
            break;
        case WM_LBUTTONUP:
            OnClick(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
            return 0;
        case WM_CLOSE:
            Hide();  // hidden, kept for the next notice
            return 0;
        default:
            break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
