#pragma once

// The module table's view of Windows: FindFirstFile, GetFullPathName, the
// PATH variable and LoadLibrary.

#include "loader/module_manager.h"

class SystemModulePlatform final : public ModulePlatform {
public:
    std::vector<std::string> ListDescriptorFiles(const std::string& folder) override;
    std::string FullPath(const std::string& path) override;
    std::string ReadSearchPath() override;
    void WriteSearchPath(const std::string& value) override;
    ModuleLibrary OpenLibrary(const std::string& path) override;
    GetVexaWInterfaceFunction FindInterfaceExport(ModuleLibrary library) override;
    bool CloseLibrary(ModuleLibrary library) override;
};
