#include "loader/loader_paths.h"

#include "common/file_io.h"
#include "common/path_util.h"
#include "toolkit/lyn_ini.h"

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
    // Only an existing file is read: CLynIni would create a missing one.
    std::string unused;
    CLynIni settings;
    if (!ReadWholeFile(networkSettingsPath, unused) || settings.SetFileName(networkSettingsPath) == 0) {
        return kDefaultSiteHost;
    }
    std::string host = settings.GetValue("hosts", "site");
    return host.empty() ? std::string(kDefaultSiteHost) : host;
}
