#include "loader/win32/skin_download.h"

#include <windows.h>
#include <wininet.h>

#include <cstdint>
#include <optional>

#include "common/win32/internet_request.h"

namespace {

constexpr char kUserAgent[] = "updateskins";
constexpr DWORD kTimeoutMs = 15000;
constexpr DWORD kBlockBytes = 512;

// The announced body length; 0 when there is none or it is no number (the
// transfer then ends when the server closes).
std::uint64_t ContentLength(HINTERNET request) {
    char value[32] = {};
    DWORD size = sizeof value - 1;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, value, &size, nullptr)) {
        return 0;
    }
    std::uint64_t length = 0;
    for (DWORD i = 0; i < size; ++i) {
        if (value[i] < '0' || value[i] > '9' || length > UINT64_MAX / 10 - 1) {
            return 0;
        }
        length = length * 10 + static_cast<std::uint64_t>(value[i] - '0');
    }
    return length;
}

// The file being written: removed when it goes out of scope unless kept,
// so no failed transfer leaves a partial package behind.
class PartialFile {
public:
    explicit PartialFile(const std::string& path)
        : path_(path),
          file_(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)),
          created_(static_cast<bool>(file_)) {}
    ~PartialFile() {
        file_.reset();
        if (created_ && !kept_) {
            DeleteFileA(path_.c_str());
        }
    }
    PartialFile(const PartialFile&) = delete;
    PartialFile& operator=(const PartialFile&) = delete;

    explicit operator bool() const { return static_cast<bool>(file_); }

    bool Write(const char* data, DWORD size) {
        DWORD written = 0;
        return WriteFile(file_.get(), data, size, &written, nullptr) && written == size;
    }
    // Closes the file; false (and the file removed later) when the close fails.
    bool Keep() {
        kept_ = CloseHandle(file_.release()) != FALSE;
        return kept_;
    }

private:
    std::string path_;
    UniqueFile file_;
    bool created_;
    bool kept_ = false;
};

bool ReadBody(HINTERNET request, PartialFile& file, const SkinDownloadProgress& progress) {
    const std::uint64_t length = ContentLength(request);
    std::uint64_t received = 0;
    char block[kBlockBytes];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request, block, sizeof block, &read)) {
            return false;  // a time-out or a broken connection
        }
        if (read == 0) {
            return length == 0 || received >= length;
        }
        if (!file.Write(block, read)) {
            return false;
        }
        received += read;
        if (length != 0 && progress) {
            // 64-bit, so packages past 42 MB do not overflow the product.
            const std::uint64_t percent = received * 100 / length;
            progress(static_cast<int>(percent > 100 ? 100 : percent));
        }
    }
}

}  // namespace

bool DownloadSkinFile(const std::string& address, const std::string& targetFile, const SkinDownloadProgress& progress) {
    std::optional<HttpTarget> target = SplitAddress(address.c_str());
    if (!target) {
        return false;
    }
    UniqueInternet session(InternetOpenA(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) {
        return false;
    }
    ApplyTimeouts(session.get(), kTimeoutMs, kTimeoutMs);
    UniqueInternet connection;
    UniqueInternet request = SendGetRequest(session.get(), *target, kTimeoutMs, kTimeoutMs, connection);
    std::optional<DWORD> status = request ? StatusCode(request.get()) : std::nullopt;
    if (!status || (*status != HTTP_STATUS_OK && *status != HTTP_STATUS_NOT_MODIFIED)) {
        // An old file must not pass for what the server refused to send;
        // there may be none to delete.
        DeleteFileA(targetFile.c_str());
        return false;
    }
    PartialFile file(targetFile);
    if (!file) {
        return false;
    }
    return ReadBody(request.get(), file, progress) && file.Keep();
}
