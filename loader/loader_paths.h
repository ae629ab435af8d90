#pragma once

// The files and folders of the loader, all derived once at start-up from the
// program's own folder.

#include <string>
#include <string_view>

struct LoaderPaths {
    std::string programFolder;    // without a trailing separator
    std::string moduleSettings;   // Data\module.ini: which widgets start, their skins
    std::string updateNotice;     // Data\sysupdate.ini
    std::string networkSettings;  // Data\network.ini: the hosts the suite talks to
    std::string modulesFolder;    // modules: widget descriptors lie in modules\Calendar
    std::string aboutImage;       // Skins\about.png, the About window's face
};

LoaderPaths LoaderPathsFor(std::string_view programFolder);

// The maker's web site as [hosts] site of Data\network.ini gives it, or the
// shipped default when the file or the value is missing.
std::string SiteHost(const std::string& networkSettingsPath);
inline constexpr char kDefaultSiteHost[] = "www.zellum.com";
