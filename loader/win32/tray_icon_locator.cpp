#include "loader/win32/tray_icon_locator.h"

#include <shellapi.h>

#include <array>
#include <vector>

#include "common/win32/top_down_dib.h"

namespace {

constexpr int kMarkerSize = 16;
constexpr std::uint32_t kRescanMs = 10000;  // a point found by a scan holds this long
constexpr int kScanAttempts = 5;            // the tray draws the marker in its own time
constexpr DWORD kScanPauseMs = 40;

UniqueIcon MakeMarker() {
    // 1 bit per pixel, rows of 16 bits: all 0 in both masks is opaque black.
    std::array<BYTE, kMarkerSize * kMarkerSize / 8> andMask{};
    std::array<BYTE, kMarkerSize * kMarkerSize / 8> colour{};
    return UniqueIcon(CreateIcon(nullptr, kMarkerSize, kMarkerSize, 1, 1, andMask.data(), colour.data()));
}

// The tray's rectangle on the screen: the task bar's, else the window Wine
// shows its icons in when there is no task bar, else the screen's bottom
// right corner.
RECT TrayRectangle() {
    RECT area{};
    for (const char* trayClass : {"Shell_TrayWnd", "__winex11_standalone_tray"}) {
        HWND tray = FindWindowA(trayClass, nullptr);
        if (tray != nullptr && IsWindowVisible(tray) && GetWindowRect(tray, &area) && area.right > area.left &&
            area.bottom > area.top) {
            return area;
        }
    }
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    return {width - 40, height - 20, width, height};
}

// The screen's pixels inside `area` as 0x00RRGGBB, rows top to bottom.
std::vector<std::uint32_t> CapturePixels(const RECT& area) {
    int width = area.right - area.left;
    int height = area.bottom - area.top;
    std::vector<std::uint32_t> pixels;
    WindowDc screen(nullptr);
    UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    if (!screen || !memory) {
        return pixels;
    }
    void* bits = nullptr;
    UniqueGdiObject bitmap = CreateTopDownDib(screen.get(), width, height, &bits);
    if (!bitmap || bits == nullptr) {
        return pixels;
    }
    {
        SelectedObject selected(memory.get(), bitmap.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY)) {
            return pixels;
        }
    }
    GdiFlush();
    const auto* begin = static_cast<const std::uint32_t*>(bits);
    pixels.assign(begin, begin + static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    return pixels;
}

}  // namespace

TrayIconLocator::TrayIconLocator(HWND owner, UINT iconId) : owner_(owner), iconId_(iconId), marker_(MakeMarker()) {}

IconLocation TrayIconLocator::Locate() {
    if (std::optional<ScreenPoint> point = AskShell()) {
        return {point, false};
    }
    if (lastScanPoint_ && GetTickCount() - lastScanTick_ < kRescanMs) {
        return {lastScanPoint_, false};
    }
    return {ScanScreen(), true};
}

std::optional<ScreenPoint> TrayIconLocator::AskShell() const {
    NOTIFYICONIDENTIFIER identifier{};
    identifier.cbSize = sizeof identifier;
    identifier.hWnd = owner_;
    identifier.uID = iconId_;
    RECT button{};
    // An icon hidden in the overflow area gives no rectangle.
    if (FAILED(Shell_NotifyIconGetRect(&identifier, &button)) || button.right <= button.left ||
        button.bottom <= button.top) {
        return std::nullopt;
    }
    return IconPointOfButton({button.left, button.top, button.right, button.bottom});
}

std::optional<ScreenPoint> TrayIconLocator::ScanScreen() {
    lastScanPoint_.reset();
    if (!marker_) {
        return std::nullopt;
    }
    // Only the icon changes; the owner's record (balloon and all) stays.
    NOTIFYICONDATAA record{};
    record.cbSize = sizeof record;
    record.hWnd = owner_;
    record.uID = iconId_;
    record.uFlags = NIF_ICON;
    record.hIcon = marker_.get();
    if (!Shell_NotifyIconA(NIM_MODIFY, &record)) {
        return std::nullopt;
    }
    RECT area = TrayRectangle();
    for (int attempt = 0; attempt < kScanAttempts && !lastScanPoint_; ++attempt) {
        Sleep(kScanPauseMs);
        std::vector<std::uint32_t> pixels = CapturePixels(area);
        if (std::optional<ScreenPoint> found = FindMarkerIcon(pixels, area.right - area.left, area.bottom - area.top)) {
            lastScanPoint_ = ScreenPoint{area.left + found->x, area.top + found->y};
            lastScanTick_ = GetTickCount();
        }
    }
    return lastScanPoint_;
}
