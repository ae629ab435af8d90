#pragma once

// The hosts the suite talks to, as [hosts] of the loader's Data\network.ini
// names them (site, timeserver, weather). Header only: it is built into each
// user on top of CLynIni, so LynKernel32.dll exports nothing more for it.

#include <string>

#include "common/file_io.h"
#include "toolkit/lyn_ini.h"

// The value of `key` in [hosts] of the file at `networkSettingsPath`; empty
// when the file, the section or the key is missing. A missing file is not
// created, as CLynIni would.
inline std::string ReadHostsSetting(const std::string& networkSettingsPath, const std::string& key) {
    std::string unused;
    CLynIni settings;
    if (!ReadWholeFile(networkSettingsPath, unused) || settings.SetFileName(networkSettingsPath) == 0) {
        return {};
    }
    return settings.GetValue("hosts", key);
}
