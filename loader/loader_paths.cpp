#include "loader/loader_paths.h"

#include "common/path_util.h"
#include "toolkit/hosts_setting.h"

LoaderPaths LoaderPathsFor(std::string_view programFolder) {
    LoaderPaths paths;
    paths.programFolder = std::string(programFolder);
    while (paths.programFolder.size() > 1 && IsPathSeparator(paths.programFolder.back()) &&
           paths.programFolder[paths.programFolder.size() - 2] != ':') {
        paths.programFolder.pop_back();
    }
    paths.moduleSettings = JoinPath(paths.programFolder, "Data\\module.ini");
    paths.updateNotice = JoinPath(paths.programFolder, "Data\\sysupdate.ini");
    paths.networkSettings = JoinPath(paths.programFolder, "Data\\network.ini");
    paths.modulesFolder = JoinPath(paths.programFolder, "modules");
    paths.aboutImage = JoinPath(paths.programFolder, "Skins\\about.png");
    return paths;
}

std::string SiteHost(const std::string& networkSettingsPath) {
    std::string host = ReadHostsSetting(networkSettingsPath, "site");
    return host.empty() ? std::string(kDefaultSiteHost) : host;
}
