#include "widget/planner/win32/planner_grid_control.h"

#include <exception>

#include "common/win32/handles.h"
#include "common/win32/top_down_dib.h"

namespace {

bool HasGridClass(HWND window) {
    // One character more than the name: a longer class name that merely
    // begins with it does not compare equal.
    char name[sizeof kPlannerGridClass + 1] = {};
    return GetClassNameA(window, name, sizeof name) > 0 && lstrcmpiA(name, kPlannerGridClass) == 0;
}

bool IsOfThisProcess(HWND window) {
    DWORD process = 0;
    return GetWindowThreadProcessId(window, &process) != 0 && process == GetCurrentProcessId();
}

// A 32-bit top-down DIB the size of the client area.
UniqueGdiObject MakeCanvas(HDC dc, int width, int height) {
    void* bits = nullptr;
    return CreateTopDownDib(dc, width, height, &bits);
}

}  // namespace

bool RegisterGridClass(HINSTANCE instance) {
    WNDCLASSEXA existing = {};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExA(instance, kPlannerGridClass, &existing)) {
        return true;
    }
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
    windowClass.lpfnWndProc = &PlannerGridControl::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = kPlannerGridClass;
    return RegisterClassExA(&windowClass) != 0;
}

PlannerGridControl* PlannerGridControl::Of(HWND window) {
    // The pointer in GWLP_USERDATA means something only in a grid window of
    // this process.
    if (window == nullptr || !HasGridClass(window) || !IsOfThisProcess(window)) {
        return nullptr;
    }
    return reinterpret_cast<PlannerGridControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

LRESULT CALLBACK PlannerGridControl::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == WM_NCCREATE) {
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PlannerGridControl(window)));
            return DefWindowProcA(window, message, wParam, lParam);
        }
        auto* control = reinterpret_cast<PlannerGridControl*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            delete control;
        } else if (control != nullptr) {
            return control->OnMessage(message, wParam, lParam);
        }
    } catch (const std::exception&) {
        // Nothing may unwind into the system's dispatcher. A control that
        // could not be made fails its window's creation; any other message
        // counts as handled.
        return message == WM_NCCREATE ? FALSE : 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT PlannerGridControl::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
        case WM_CREATE:
        case WM_SIZE:
            LayOut();
            return 0;
        case WM_ERASEBKGND:
            // Painting covers every pixel from its back buffer.
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSEMOVE:
            OnMouseMove(x, y);
            return 0;
        case WM_MOUSELEAVE:
            OnMouseLeave();
            return 0;
        case WM_LBUTTONDOWN:
            OnLeftButton(kPlannerGridClicked, x, y);
            return 0;
        case WM_LBUTTONDBLCLK:
            OnLeftButton(kPlannerGridDoubleClicked, x, y);
            return 0;
        default:
            return DefWindowProcA(window_, message, wParam, lParam);
    }
}

void PlannerGridControl::SetShownDate(GregorianDate date, int mode, bool showLunarText) {
    grid_.SetShownDate(date, mode, showLunarText);
    LayOut();
    Redraw();
}

void PlannerGridControl::SetSelectedCell(int cell) {
    const int previous = grid_.selectedCell();
    grid_.SetSelectedCell(cell);
    if (grid_.selectedCell() != previous) {
        InvalidateCell(previous);
        InvalidateCell(grid_.selectedCell());
    }
}

void PlannerGridControl::Redraw() {
    InvalidateRect(window_, nullptr, FALSE);
}

void PlannerGridControl::SetColours(const PlannerGridColours& colours) {
    colours_ = colours;
    Redraw();
}

void PlannerGridControl::SetCellImage(const std::string& path) {
    painter_.SetCellImage(path);
    Redraw();
}

void PlannerGridControl::SetToday(GregorianDate today) {
    today_ = today;
    Redraw();
}

void PlannerGridControl::LayOut() {
    RECT client = {};
    GetClientRect(window_, &client);
    grid_.LayOut(client.right, client.bottom, GetSystemMetrics(SM_CXVSCROLL));
}

// Drawn whole into a memory bitmap and copied in one go, so the window
// never shows a half-drawn state.
void PlannerGridControl::Paint() {
    PaintScope paint(window_);
    RECT client = {};
    GetClientRect(window_, &client);
    if (paint.dc() == nullptr || client.right <= 0 || client.bottom <= 0) {
        return;
    }
    UniqueMemoryDc memory(CreateCompatibleDC(paint.dc()));
    UniqueGdiObject canvas = MakeCanvas(paint.dc(), client.right, client.bottom);
    if (!memory || !canvas) {
        return;
    }
    SelectedObject selected(memory.get(), canvas.get());
    {
        Gdiplus::Graphics graphics(memory.get());
        painter_.Paint(graphics, grid_, colours_, today_);
    }
    BitBlt(paint.dc(), 0, 0, client.right, client.bottom, memory.get(), 0, 0, SRCCOPY);
}

void PlannerGridControl::OnMouseMove(int x, int y) {
    if (!trackingLeave_) {
        TRACKMOUSEEVENT track = {};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = window_;
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    const PlannerHit previous = grid_.hover();
    if (grid_.SetHover(grid_.HitTest(x, y))) {
        InvalidateCell(previous.cell);
        InvalidateCell(grid_.hover().cell);
    }
}

void PlannerGridControl::OnMouseLeave() {
    trackingLeave_ = false;
    const PlannerHit previous = grid_.hover();
    if (grid_.SetHover({})) {
        InvalidateCell(previous.cell);
    }
}

// The parent decides what a click means and may destroy the control while
// it handles the notification, so sending it is the last thing done here.
void PlannerGridControl::OnLeftButton(UINT code, int x, int y) {
    const PlannerHit hit = grid_.HitTest(x, y);
    if (hit.cell < 0) {
        return;
    }
    SetFocus(window_);
    PlannerGridNotify notify = {};
    notify.header.hwndFrom = window_;
    notify.header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(window_));
    notify.header.code = code;
    notify.hit = hit;
    SendMessageA(GetParent(window_), WM_NOTIFY, notify.header.idFrom, reinterpret_cast<LPARAM>(&notify));
}

void PlannerGridControl::InvalidateCell(int cell) {
    const PlannerRect rect = grid_.CellRect(cell);
    if (rect.width <= 0 || rect.height <= 0) {
        return;
    }
    const RECT area = {rect.x, rect.y, rect.x + rect.width, rect.y + rect.height};
    InvalidateRect(window_, &area, FALSE);
}
