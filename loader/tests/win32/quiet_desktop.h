#pragma once

// A desktop shell and a power control that do nothing, for tests of the
// LoaderWindow whose subject is not what the menu opens or powers off.

#include <optional>
#include <string>
#include <vector>

#include "loader/desktop_commands.h"

class QuietShell : public DesktopShell {
public:
    void Open(const std::string&, const std::string&) override {}
    void Run(const std::string&) override {}
    void ShowDesktop() override {}
    std::string SpecialFolderPath(int) override { return {}; }
    std::string SystemFolder() override { return "C:\\windows\\system32\\"; }
    std::optional<std::string> MachineString(const std::string&, const std::string&) override { return {}; }
    std::optional<std::string> UserString(const std::string&, const std::string&) override { return {}; }
    std::vector<DriveRoot> Drives() override { return {{"C:\\", false}}; }
    void SetCdDoor(const std::string&, bool) override {}
    bool ActivateSideProgram(int) override { return false; }
    void StopSideProgramHook() override {}
    bool Confirm(const std::string&) override { return false; }
};

class QuietPower : public PowerControl {
public:
    void PowerCommand(unsigned) override {}
};
