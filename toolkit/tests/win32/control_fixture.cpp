#include "toolkit/tests/win32/control_fixture.h"

#include "common/win32/handles.h"
#include "common/win32/top_down_dib.h"
#include "testkit/win32/window_helpers.h"

namespace control_test {

namespace {

constexpr char kParentClass[] = "LynControlsTestParent";
constexpr unsigned kSettleMs = 50;

}  // namespace

std::string SkinPath(const std::string& name) {
    return "art\\Trevalo\\Skins\\" + name;
}

COLORREF BmpPixel(const std::string& path, int x, int y) {
    const UniqueGdiObject bitmap(LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    if (!bitmap) {
        return CLR_INVALID;
    }
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    const SelectedObject selected(dc.get(), bitmap.get());
    return GetPixel(dc.get(), x, y);
}

ParentWindow::ParentWindow(const RECT& place, COLORREF background) : brush_(CreateSolidBrush(background)) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ParentWindow::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kParentClass;
    RegisterClassExA(&windowClass);  // already there from an earlier test: just as good
    window_ = CreateWindowExA(0, kParentClass, "controls", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, place.left,
                              place.top, place.right - place.left, place.bottom - place.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), this);
    testkit::PumpMessages(kSettleMs);
}

ParentWindow::~ParentWindow() {
    if (window_ != nullptr) {
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
    DeleteObject(brush_);
}

LRESULT CALLBACK ParentWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
        case WM_COMMAND: {
            const CommandRecord record{LOWORD(wParam), HIWORD(wParam)};
            if (self->onCommand) {
                self->onCommand(record);
            }
            self->commands.push_back(record);
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            self->notices.push_back(NotifyRecord{header->idFrom, header->code});
            return 0;
        }
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(window, &client);
            FillRect(reinterpret_cast<HDC>(wParam), &client, self->brush_);
            return 1;
        }
        default:
            return DefWindowProcA(window, message, wParam, lParam);
    }
}

Rendering::Rendering(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    width_ = client.right;
    height_ = client.bottom;
    void* bits = nullptr;
    const UniqueGdiObject bitmap = CreateTopDownDib(nullptr, width_, height_, &bits);
    if (!bitmap || bits == nullptr) {
        return;
    }
    const UniqueMemoryDc dc(CreateCompatibleDC(nullptr));
    {
        const SelectedObject selected(dc.get(), bitmap.get());
        SendMessageA(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT | PRF_ERASEBKGND);
        GdiFlush();
    }
    const auto* source = static_cast<const std::uint32_t*>(bits);
    pixels_.reserve(static_cast<std::size_t>(width_) * height_);
    for (int i = 0; i < width_ * height_; ++i) {
        const std::uint32_t bgr = source[i];
        pixels_.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
    }
}

COLORREF Rendering::Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || pixels_.empty()) {
        return CLR_INVALID;
    }
    return pixels_[static_cast<std::size_t>(y) * width_ + x];
}

std::vector<int> CodesFrom(const std::vector<CommandRecord>& records, int id) {
    std::vector<int> codes;
    for (const CommandRecord& record : records) {
        if (record.id == id) {
            codes.push_back(record.code);
        }
    }
    return codes;
}

void Click(HWND window, int x, int y) {
    PressAndRelease(window, POINT{x, y}, POINT{x, y});
}

void PressAndRelease(HWND window, POINT down, POINT up) {
    PostMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(down.x, down.y));
    PostMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(up.x, up.y));
    testkit::PumpMessages(kSettleMs);
}

}  // namespace control_test
