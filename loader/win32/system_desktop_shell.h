#pragma once

// The desktop commands' view of Windows: ShellExecute, CreateProcess, the
// shell automation object, special folders, the registry, drives, the CD
// audio device, LynHook32 and MsgBox; and PowerCommand with the shutdown
// privilege. Tests use fakes of both interfaces instead.

#include <windows.h>

#include "loader/desktop_commands.h"

class SystemDesktopShell final : public DesktopShell {
public:
    // The owner of the questions' message boxes (the LoaderWindow).
    void SetOwner(HWND owner) { owner_ = owner; }

    void Open(const std::string& target, const std::string& verb) override;
    void Run(const std::string& commandLine) override;
    void ShowDesktop() override;
    std::string SpecialFolderPath(int csidl) override;
    std::string SystemFolder() override;
    std::optional<std::string> MachineString(const std::string& key, const std::string& name) override;
    std::optional<std::string> UserString(const std::string& key, const std::string& name) override;
    std::vector<DriveRoot> Drives() override;
    void SetCdDoor(const std::string& drive, bool open) override;
    bool ActivateSideProgram(int mode) override;
    void StopSideProgramHook() override;
    bool Confirm(const std::string& question) override;

private:
    HWND owner_ = nullptr;
};

class SystemPowerControl final : public PowerControl {
public:
    void PowerCommand(unsigned exitFlag) override;
};
