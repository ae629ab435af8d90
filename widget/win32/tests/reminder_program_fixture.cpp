// Plays a reminder's program in the alert tests: it writes the file named by
// REMINDER_PROGRAM_MARKER (inherited from the test) and ends, so the test
// can tell that the calendar window started it.

#include <windows.h>

#include <cstdio>

int main() {
    char marker[MAX_PATH] = {};
    const DWORD length = GetEnvironmentVariableA("REMINDER_PROGRAM_MARKER", marker, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return 2;
    }
    std::FILE* file = std::fopen(marker, "wb");
    if (file == nullptr) {
        return 1;
    }
    std::fputs("ran", file);
    std::fclose(file);
    return 0;
}
