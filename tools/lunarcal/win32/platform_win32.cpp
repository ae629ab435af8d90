// lunarcal's platform layer on Windows: the ANSI code page is GBK on a
// Chinese Windows, so arguments and paths are used as they come.

#include <windows.h>

#include <algorithm>

#include "common/text_encoding.h"
#include "tools/lunarcal/platform.h"

#ifndef ENABLE_VIRTUAL_TERMINAL_PROCESSING
#define ENABLE_VIRTUAL_TERMINAL_PROCESSING 0x0004
#endif

namespace lunarcal_platform {

namespace {

constexpr UINT kGbkCodePage = 936;

// WriteConsoleW and WriteFile take a DWORD count; big texts go in pieces.
constexpr std::size_t kWritePiece = 1 << 20;

HANDLE StreamHandle(Stream stream) {
    return GetStdHandle(stream == Stream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

bool WriteConsoleText(HANDLE handle, std::u16string_view text) {
    while (!text.empty()) {
        std::size_t piece = std::min(text.size(), kWritePiece);
        DWORD written = 0;
        if (!WriteConsoleW(handle, reinterpret_cast<const wchar_t*>(text.data()), static_cast<DWORD>(piece), &written,
                           nullptr) ||
            written == 0) {
            return false;
        }
        text.remove_prefix(std::min<std::size_t>(written, text.size()));
    }
    return true;
}

// Bytes as they are: no CRT text mode, so line ends stay LF.
bool WriteBytes(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        std::size_t piece = std::min(bytes.size(), kWritePiece);
        DWORD written = 0;
        if (!WriteFile(handle, bytes.data(), static_cast<DWORD>(piece), &written, nullptr) || written == 0) {
            return false;
        }
        bytes.remove_prefix(std::min<std::size_t>(written, bytes.size()));
    }
    return true;
}

}  // namespace

char PathSeparator() {
    return '\\';
}

std::vector<std::string> GbkArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

std::string ExecutableFolder() {
    // GetModuleFileNameA cuts a long path short and says so only by filling
    // the buffer, so a full buffer is tried again with a larger one.
    std::string path(MAX_PATH, '\0');
    for (;;) {
        DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) {
            return {};
        }
        path.resize(path.size() * 2);
    }
    std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

GregorianDate LocalToday() {
    SYSTEMTIME local{};
    GetLocalTime(&local);
    return {local.wYear, local.wMonth, local.wDay};
}

bool OutputIsTerminal() {
    // Reverse video needs a console that understands escape sequences
    // (Windows 10 and later); on an older one highlighting is left out.
    HANDLE handle = StreamHandle(Stream::kOut);
    DWORD mode = 0;
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE || !GetConsoleMode(handle, &mode)) {
        return false;
    }
    return (mode & ENABLE_VIRTUAL_TERMINAL_PROCESSING) != 0 ||
           SetConsoleMode(handle, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING);
}

bool LoadHolidayFile(const std::string& gbkPath, HolidayTable& table) {
    return table.Load(gbkPath);
}

bool Write(Stream stream, std::string_view gbk) {
    HANDLE handle = StreamHandle(stream);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    // A console that does not read GBK gets the text as UTF-16.
    if (IsConsole(handle) && GetConsoleOutputCP() != kGbkCodePage) {
        return WriteConsoleText(handle, GbkToUtf16(gbk));
    }
    return WriteBytes(handle, gbk);
}

}  // namespace lunarcal_platform
