// Waits for a visible top-level window of a title, for the idle-cost
// benchmark:
//   window_wait TITLE [TIMEOUT_MS [away]]
// Prints "waiting" once it polls, then, when the window is visible, the
// moment it was seen as Unix milliseconds, and rests the pointer on the
// window's centre (the suite keeps a window with the pointer on it shown);
// with "away" the pointer stays where it is.
// It runs inside Wine because there it sees the window as Win32 code does
// (title, visibility) and can move the pointer with no X tool.
// Exit 0 when found, 1 on the time-out (default 60 s), 2 on bad arguments.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

constexpr DWORD kPollMs = 5;
constexpr DWORD kDefaultTimeoutMs = 60000;
// 100-nanosecond intervals from 1601-01-01 to 1970-01-01.
constexpr unsigned long long kUnixEpochInFileTime = 116444736000000000ULL;

unsigned long long UnixMilliseconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const unsigned long long intervals =
        (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (intervals - kUnixEpochInFileTime) / 10000;
}

HWND VisibleWindowOf(const char* title) {
    HWND window = FindWindowA(nullptr, title);
    return window != nullptr && IsWindowVisible(window) ? window : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 4 || (argc == 4 && std::strcmp(argv[3], "away") != 0)) {
        std::fputs("usage: window_wait TITLE [TIMEOUT_MS [away]]\n", stderr);
        return 2;
    }
    const DWORD timeoutMs = argc >= 3 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : kDefaultTimeoutMs;
    const bool movePointer = argc < 4;
    std::printf("waiting\n");
    std::fflush(stdout);
    const ULONGLONG start = GetTickCount64();
    HWND window = nullptr;
    while ((window = VisibleWindowOf(argv[1])) == nullptr) {
        if (GetTickCount64() - start > timeoutMs) {
            std::printf("timeout\n");
            return 1;
        }
        Sleep(kPollMs);
    }
    std::printf("visible %llu\n", UnixMilliseconds());
    RECT rect = {};
    if (GetWindowRect(window, &rect) && movePointer) {
        // Only the pointer's place is reported; a refused move shows there.
        SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    }
    POINT pointer = {};
    GetCursorPos(&pointer);
    std::printf("window %ld,%ld-%ld,%ld pointer %ld,%ld\n", rect.left, rect.top, rect.right, rect.bottom, pointer.x,
                pointer.y);
    return 0;
}
