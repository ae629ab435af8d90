#pragma once

// How Trevalo.exe is started: one mode argument picks the mode and the
// named mutex that keeps one instance of that mode, and the program's own
// folder gives its data and skin folders.

#include <optional>
#include <string>
#include <vector>

enum class ProgramMode {
    kNavigation = 0,  // "APPMODEL_TREVALO": the tabbed navigation browser
    kHistory = 1,     // "APPMODEL_MSNHISTORY": the chat-history viewer
};

struct ModeChoice {
    ProgramMode mode;
    std::string mutexName;  // "MUTEX_ZELLUM_APPMODEL_TREVALO" or "..._MSNHISTORY"
};

// The mode named by `arguments` (the command line without the program's own
// name): exactly one argument, one of the two mode names compared without
// regard to ASCII letter case. Nothing for any other count or text.
std::optional<ModeChoice> ChooseMode(const std::vector<std::string>& arguments);

// The folders of one installation, without a trailing backslash.
struct TrevaloFolders {
    std::string program;  // the folder of Trevalo.exe
    std::string data;     // <program>\Trevalo\Data
    std::string skins;    // <program>\Trevalo\Skins
};

TrevaloFolders FoldersOf(const std::string& programFolder);

// The path of the skin image `fileName` ("title1.bmp") in the skin folder.
std::string SkinImage(const TrevaloFolders& folders, const std::string& fileName);

// The maker's site when Data\network.ini names none.
inline constexpr char kTrevaloDefaultSiteHost[] = "www.zellum.com";

// The maker's site as [hosts] "site" of <program>\Data\network.ini names it
// (the loader's setting), else the suite's default site host.
std::string SiteHostOf(const TrevaloFolders& folders);
// The maker's home page ("http://<host>/") and the banner page shown in the
// strip at the top of the window.
std::string MakerHomePage(const std::string& siteHost);
std::string BannerPage(const std::string& siteHost);
