#pragma once

// Finding and driving windows from a test, also windows of other processes
// (an end-to-end test drives the assembled program in the same Wine prefix).

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testkit {

// Which top-level windows to find; an unset field matches anything.
struct WindowQuery {
    std::optional<std::string> className{};    // exact, GBK
    std::optional<std::string> title{};        // exact, GBK
    std::optional<std::string> titleEnding{};  // the title ends with it, GBK
    DWORD processId = 0;                       // 0: any process
    bool visibleOnly = false;
};

// Top-level windows matching `query`, in Z order (topmost first).
std::vector<HWND> FindTopLevelWindows(const WindowQuery& query);

// The first match, or nullptr.
HWND FindTopLevelWindow(const WindowQuery& query);

// Polls until a matching window exists; nullptr after `timeoutMs`.
HWND WaitForWindow(const WindowQuery& query, unsigned int timeoutMs);

// Every descendant of `parent` (children, their children, ...).
std::vector<HWND> ChildWindows(HWND parent);

std::string WindowClassName(HWND window);

// The window's text (caption or control text). Asks the window itself with a
// time-out, so it reads controls of other processes too and never hangs on a
// window whose thread is busy (it then falls back to the cached caption).
std::string WindowText(HWND window);

// The window's rectangle in screen coordinates; empty for no window.
RECT WindowRectangle(HWND window);

// SendMessage that gives up after `timeoutMs` (nullopt) instead of waiting
// forever for a thread that does not pump messages.
std::optional<LRESULT> SendWithTimeout(HWND window,
                                       UINT message,
                                       WPARAM wParam,
                                       LPARAM lParam,
                                       unsigned int timeoutMs = 5000);

bool PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Picks a day in a date picker as the user would: the picker's date, then
// its change notice to its parent (both sent with SendWithTimeout).
void PickDate(HWND picker, int year, int month, int day);

// Dispatches the calling thread's messages for about `milliseconds`, so
// windows it owns paint and react while a test waits.
void PumpMessages(unsigned int milliseconds);

}  // namespace testkit
