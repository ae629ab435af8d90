#include "trevalo/program_mode.h"

#include <array>
#include <string_view>

#include "common/path_util.h"
#include "toolkit/hosts_setting.h"

namespace {

struct ModeName {
    const char* argument;
    ProgramMode mode;
    const char* mutexName;
};

// The mode arguments the loader passes, each with the mutex that keeps one
// instance of that mode.
constexpr std::array<ModeName, 2> kModeNames = {{
    {"APPMODEL_TREVALO", ProgramMode::kNavigation, "MUTEX_ZELLUM_APPMODEL_TREVALO"},
    {"APPMODEL_MSNHISTORY", ProgramMode::kHistory, "MUTEX_ZELLUM_APPMODEL_MSNHISTORY"},
}};

char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The mode names are ASCII; a GBK lead byte (0x81 and up) never equals one
// of their letters, so comparing byte by byte cannot match inside a
// double-byte character.
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<ModeChoice> ChooseMode(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) {
        return std::nullopt;
    }
    for (const ModeName& name : kModeNames) {
        if (EqualsIgnoringAsciiCase(arguments.front(), name.argument)) {
            return ModeChoice{name.mode, name.mutexName};
        }
    }
    return std::nullopt;
}

TrevaloFolders FoldersOf(const std::string& programFolder) {
    return {programFolder, JoinPath(programFolder, "Trevalo\\Data"), JoinPath(programFolder, "Trevalo\\Skins")};
}

std::string SkinImage(const TrevaloFolders& folders, const std::string& fileName) {
    return JoinPath(folders.skins, fileName);
}

std::string SiteHostOf(const TrevaloFolders& folders) {
    std::string host = ReadHostsSetting(JoinPath(folders.program, "Data\\network.ini"), "site");
    return host.empty() ? std::string(kTrevaloDefaultSiteHost) : host;
}

std::string MakerHomePage(const std::string& siteHost) {
    return "http://" + siteHost + "/";
}

std::string BannerPage(const std::string& siteHost) {
    return "http://" + siteHost + "/software/trevalo/banner.htm";
}
