#include "loader/skin_update.h"

#include <array>

#include "common/file_io.h"
#include "common/host_address.h"
#include "common/text_encoding.h"
#include "loader/module_record.h"
#include "toolkit/lyn_ini.h"

namespace {

// Field widths of a pending entry, with the terminating zero.
constexpr std::size_t kSkinNameBytes = 260;
constexpr std::size_t kSkinAddressBytes = 1024;
// Longest file name component Windows accepts.
constexpr std::size_t kMaxFileNameBytes = 255;
constexpr std::uint16_t kHttpPort = 80;
constexpr std::string_view kHttpScheme = "http://";
// Bytes that never appear in a name Windows stores; '#' too, because an
// address's fragment never reaches the server and so names no file.
constexpr std::string_view kRefusedNameBytes = "<>:\"/\\|?*#";
// Device names that open a device instead of a file, whatever extension
// follows them.
constexpr std::array<std::string_view, 22> kDeviceNames = {
    "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
    "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9",
};

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// Only for texts compared with ASCII words: no GBK trail byte is a letter
// that could match across a character boundary there.
bool EqualsAscii(std::string_view text, std::string_view word) {
    if (text.size() != word.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (AsciiUpper(text[i]) != AsciiUpper(word[i])) {
            return false;
        }
    }
    return true;
}

// Read rather than opened, so that the check shares the file as every reader
// of ours does and never holds off a save of it.
bool FileExists(const std::string& path) {
    std::string unused;
    return ReadWholeFile(path, unused);
}

std::string CutToField(std::string_view text, std::size_t fieldBytes) {
    std::string field(fieldBytes, '\0');
    CopyToField(field.data(), field.size(), text);
    field.resize(field.find('\0'));
    return field;
}

// A path segment that means "this folder" or "the folder above", also when
// its dots are written as "%2e".
bool IsDotSegment(std::string_view segment) {
    std::size_t dots = 0;
    std::size_t i = 0;
    while (i < segment.size()) {
        if (segment[i] == '.') {
            ++i;
        } else if (EqualsAscii(segment.substr(i, 3), "%2e")) {
            i += 3;
        } else {
            return false;
        }
        ++dots;
    }
    return dots == 1 || dots == 2;
}

// The path of an address (from its first '/'): no backslash, control byte
// or dot segment anywhere, since a server or a proxy could resolve them to
// another file than the one the name says.
bool IsPlainPath(std::string_view path) {
    std::size_t segmentStart = 0;
    std::size_t pos = 0;
    for (;;) {
        if (pos == path.size() || path[pos] == '/') {
            if (IsDotSegment(path.substr(segmentStart, pos - segmentStart))) {
                return false;
            }
            if (pos == path.size()) {
                return true;
            }
            segmentStart = pos + 1;
        } else if (path[pos] == '\\' || static_cast<unsigned char>(path[pos]) < 0x20) {
            return false;
        }
        // A double-byte character is stepped over whole: its second byte may
        // be '\' without being one.
        std::size_t step = GbkSequenceLength(path.substr(pos));
        pos += step == 0 ? 1 : step;
    }
}

bool IsDeviceName(std::string_view name) {
    std::string_view base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') {
        base.remove_suffix(1);
    }
    for (std::string_view device : kDeviceNames) {
        if (EqualsAscii(base, device)) {
            return true;
        }
    }
    return false;
}

// Walks the name by GBK characters: the trail byte of a double-byte
// character may be '\' or '|' without being one.
bool IsPlainFileName(std::string_view name) {
    if (name.empty() || name.size() > kMaxFileNameBytes || name.back() == '.' || name.back() == ' ' ||
        IsDeviceName(name)) {
        return false;
    }
    std::size_t pos = 0;
    while (pos < name.size()) {
        std::size_t step = GbkSequenceLength(name.substr(pos));
        if (step == 0) {
            return false;
        }
        if (step == 1) {
            char c = name[pos];
            if (static_cast<unsigned char>(c) < 0x20 || kRefusedNameBytes.find(c) != std::string_view::npos) {
                return false;
            }
        }
        pos += step;
    }
    return true;
}

// Every "rar" that starts on a character boundary becomes "exe"; a trail
// byte that happens to be 'r' is left alone.
std::string ReplaceRarWithExe(std::string_view name) {
    std::string result;
    std::size_t pos = 0;
    while (pos < name.size()) {
        if (name.substr(pos, 3) == "rar") {
            result += "exe";
            pos += 3;
            continue;
        }
        std::size_t step = GbkSequenceLength(name.substr(pos));
        step = step == 0 ? 1 : step;
        result += name.substr(pos, step);
        pos += step;
    }
    return result;
}

bool SameHost(std::string_view authority, std::string_view listHost) {
    std::optional<HostAddress> package = ParseHostAddress(authority, kHttpPort);
    std::optional<HostAddress> list = ParseHostAddress(listHost, kHttpPort);
    return package && list && package->port == list->port && EqualsAscii(package->host, list->host);
}

}  // namespace

std::vector<PendingSkin> NewSkins(const std::string& listPath,
                                  const std::string& cataloguePath,
                                  const std::string& section) {
    std::vector<PendingSkin> skins;
    // SetFileName makes a missing file: only files that are there are opened.
    CLynIni list;
    if (!FileExists(listPath) || list.SetFileName(listPath) == 0) {
        return skins;
    }
    CLynIni catalogue;
    const bool haveCatalogue = FileExists(cataloguePath) && catalogue.SetFileName(cataloguePath) != 0;
    std::vector<std::string> keys;
    std::vector<std::string> values;
    list.GetKeyValues(keys, values, section);
    for (std::size_t i = 0; i < keys.size() && i < values.size(); ++i) {
        // An empty key is a line without '=' (or the empty section's marker).
        if (keys[i].empty() || (haveCatalogue && !catalogue.GetValue(section, keys[i]).empty())) {
            continue;
        }
        skins.push_back({true, CutToField(keys[i], kSkinNameBytes), CutToField(values[i], kSkinAddressBytes)});
    }
    return skins;
}

std::optional<std::string> PackageFileName(std::string_view address, std::string_view listHost) {
    if (!EqualsAscii(address.substr(0, kHttpScheme.size()), kHttpScheme)) {
        return std::nullopt;
    }
    std::string_view rest = address.substr(kHttpScheme.size());
    std::size_t slash = rest.find('/');
    if (slash == std::string_view::npos || !SameHost(rest.substr(0, slash), listHost)) {
        return std::nullopt;
    }
    std::string_view path = rest.substr(slash);
    if (!IsPlainPath(path)) {
        return std::nullopt;
    }
    std::string name = ReplaceRarWithExe(path.substr(path.rfind('/') + 1));
    if (!IsPlainFileName(name)) {
        return std::nullopt;
    }
    return name;
}

std::string AddressHost(std::string_view address) {
    for (std::string_view scheme : {std::string_view("http://"), std::string_view("https://")}) {
        if (EqualsAscii(address.substr(0, scheme.size()), scheme)) {
            std::string_view rest = address.substr(scheme.size());
            return std::string(rest.substr(0, rest.find('/')));
        }
    }
    return std::string();
}

std::string NewSkinsStatus(std::size_t count) {
    if (count == 0) {
        return kSkinsUpToDateText;
    }
    return "共有" + std::to_string(count) + "组最新皮肤，要更新请点击“立即更新”";
}

std::string UpdatingSkinStatus(const std::string& name) {
    return "正在更新皮肤－" + name + "...";
}

std::string RefusedSkinStatus(const std::string& name) {
    return "皮肤“" + name + "”的下载地址不可用，已跳过";
}
