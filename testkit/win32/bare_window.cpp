// The idle-cost benchmark's yardstick: one window and a message loop,
// nothing else. What it costs at rest under Wine is what any window costs
// there; the suite's own idle cost is measured against it.
#include <windows.h>

namespace {

constexpr char kClassName[] = "BareWindow";

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = BareWindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    if (RegisterClassA(&windowClass) == 0) {
        return 1;
    }
    // The size and place of the calendar window at the top right of a
    // 1280-pixel screen, so both are measured with the pointer on them.
    HWND window = CreateWindowExA(0, kClassName, "bare_window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 1000, 0, 280, 400,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
