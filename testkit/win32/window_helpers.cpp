#include "testkit/win32/window_helpers.h"

#include <commctrl.h>

#include "common/text_encoding.h"

namespace testkit {

namespace {

constexpr DWORD kPollIntervalMs = 20;

// The caption the system keeps for a window. Unlike GetWindowText on a window
// of our own process, this sends no message, so a search never waits for a
// thread that is busy (or blocked in the test itself).
std::string CachedCaption(HWND window) {
    wchar_t caption[512] = {};
    int length = InternalGetWindowText(window, caption, 512);
    return Utf16ToGbk(std::u16string_view(reinterpret_cast<const char16_t*>(caption),
                                          length > 0 ? static_cast<std::size_t>(length) : 0));
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

bool Matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !IsWindowVisible(window)) {
        return false;
    }
    if (query.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query.processId) {
            return false;
        }
    }
    if (query.className && WindowClassName(window) != *query.className) {
        return false;
    }
    if (!query.title && !query.titleEnding) {
        return true;
    }
    const std::string caption = CachedCaption(window);
    return (!query.title || caption == *query.title) && (!query.titleEnding || caption.ends_with(*query.titleEnding));
}

// Enumeration callbacks: nothing may be thrown through the system's frames,
// so running out of memory ends the enumeration instead.
BOOL CALLBACK CollectMatching(HWND window, LPARAM context) {
    try {
        auto& search = *reinterpret_cast<Search*>(context);
        if (Matches(window, *search.query)) {
            search.found.push_back(window);
        }
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
    try {
        reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
        return TRUE;
    } catch (...) {
        return FALSE;
    }
}

}  // namespace

std::vector<HWND> FindTopLevelWindows(const WindowQuery& query) {
    Search search{&query, {}};
    EnumWindows(CollectMatching, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWindow(const WindowQuery& query) {
    std::vector<HWND> found = FindTopLevelWindows(query);
    return found.empty() ? nullptr : found.front();
}

HWND WaitForWindow(const WindowQuery& query, unsigned int timeoutMs) {
    ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        if (HWND window = FindTopLevelWindow(query)) {
            return window;
        }
        if (GetTickCount64() >= deadline) {
            return nullptr;
        }
        Sleep(kPollIntervalMs);
    }
}

std::vector<HWND> ChildWindows(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

std::string WindowClassName(HWND window) {
    char name[256] = {};
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string WindowText(HWND window) {
    constexpr UINT kTimeout = 2000;
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeout, &length)) {
        // The length may count a DBCS text's bytes generously; the copy says how many it wrote.
        std::string text(length + 1, '\0');
        DWORD_PTR copied = 0;
        if (SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                                SMTO_ABORTIFHUNG, kTimeout, &copied)) {
            text.resize(copied < text.size() ? copied : text.size() - 1);
            return text;
        }
    }
    return CachedCaption(window);
}

RECT WindowRectangle(HWND window) {
    RECT rect = {};
    if (!GetWindowRect(window, &rect)) {
        rect = RECT{};
    }
    return rect;
}

std::optional<LRESULT> SendWithTimeout(HWND window,
                                       UINT message,
                                       WPARAM wParam,
                                       LPARAM lParam,
                                       unsigned int timeoutMs) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result)) {
        return std::nullopt;
    }
    return static_cast<LRESULT>(result);
}

void PickDate(HWND picker, int year, int month, int day) {
    SYSTEMTIME picked = {};
    picked.wYear = static_cast<WORD>(year);
    picked.wMonth = static_cast<WORD>(month);
    picked.wDay = static_cast<WORD>(day);
    SendWithTimeout(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&picked));
    NMDATETIMECHANGE change = {};
    change.nmhdr.hwndFrom = picker;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = GDT_VALID;
    change.st = picked;
    SendWithTimeout(GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
}

bool PostToWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return PostMessageA(window, message, wParam, lParam) != FALSE;
}

void PumpMessages(unsigned int milliseconds) {
    ULONGLONG deadline = GetTickCount64() + milliseconds;
    do {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount64() < deadline);
}

}  // namespace testkit
