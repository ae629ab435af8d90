#pragma once

// The tray menu's desktop commands: shell places, drives, programs, other
// vendors' applications, the side program, CD doors and the power commands.
// They reach the system only through the two interfaces below, so tests run
// them against fakes and never log off, restart or power off the machine.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "loader/loader_commands.h"
#include "loader/tray_menu_model.h"

// The shell, registry and drive operations the commands use. Texts are GBK.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    // The shell's `verb` ("open", "explore") on `target`, shown normally.
    virtual void Open(const std::string& target, const std::string& verb) = 0;
    // Starts a program from a command line, shown normally.
    virtual void Run(const std::string& commandLine) = 0;
    // Minimises every window, so the desktop shows.
    virtual void ShowDesktop() = 0;
    // The path of a special folder (CSIDL number); empty when unknown.
    virtual std::string SpecialFolderPath(int csidl) = 0;
    // The system folder, with a trailing backslash.
    virtual std::string SystemFolder() = 0;
    // A string value (empty name: the key's default value) of the machine's
    // or the current user's registry; nullopt when it is missing or needs
    // more than 256 bytes with its terminating zero.
    virtual std::optional<std::string> MachineString(const std::string& key, const std::string& name) = 0;
    virtual std::optional<std::string> UserString(const std::string& key, const std::string& name) = 0;
    // The logical drives now, A to Z.
    virtual std::vector<DriveRoot> Drives() = 0;
    // Opens or closes the door of CD drive `drive` ("D:"); a drive that
    // cannot be opened as a CD device is skipped.
    virtual void SetCdDoor(const std::string& drive, bool open) = 0;
    // Brings forward an open window of the side program in `mode` (0
    // navigation, 1 chat history): true when there was one.
    virtual bool ActivateSideProgram(int mode) = 0;
    // Lets go of the window-hook library when the loader closes.
    virtual void StopSideProgramHook() = 0;
    // Asks a Yes/No question (question icon); true for Yes.
    virtual bool Confirm(const std::string& question) = 0;
};

// Ends the session or the system.
class PowerControl {
public:
    virtual ~PowerControl() = default;
    // Log off (0), restart (2), power off (8) or shut down (1); the force
    // flag (4) is added. Stops silently when the shutdown privilege cannot be
    // enabled.
    virtual void PowerCommand(unsigned exitFlag) = 0;
};

inline constexpr unsigned kExitLogOff = 0;
inline constexpr unsigned kExitShutDown = 1;
inline constexpr unsigned kExitRestart = 2;
inline constexpr unsigned kExitForce = 4;
inline constexpr unsigned kExitPowerOff = 8;

// How an application of another vendor is found in the machine's registry.
enum class VendorLookup {
    kAppPath,            // the App Paths entry of `program` is the program
    kInstallFolder,      // value "Install" of the vendor key `key` is its folder; `program` in it
    kStartBesideAppPath  // "Start.exe" in the folder of the App Paths entry of `program`
};

struct VendorApplication {
    unsigned command;
    std::string_view caption;
    VendorLookup lookup;
    std::string_view program;  // program file name
    std::string_view key;      // vendor key (kInstallFolder only)
};

// The nine applications of the 启动程序 submenu, in menu order.
std::span<const VendorApplication> VendorApplications();
// The menu has a separator after this one.
inline constexpr unsigned kLastVendorCommandBeforeSeparator = 70352;

// The registry key of a program's App Paths entry.
std::string AppPathsKey(std::string_view program);
// What to open for `application`, given the registry value its lookup read.
std::optional<std::string> VendorTarget(const VendorApplication& application, std::string_view value);

// The maker's pages on the site host.
std::string HomePageAddress(std::string_view siteHost);
std::string HelpPageAddress(std::string_view siteHost);

struct DesktopContext {
    std::string programFolder;  // without a trailing backslash
    std::string siteHost;       // the maker's web site, "host[:port]"
    DriveLists drives;          // as the menu shows them
};

class DesktopCommands {
public:
    DesktopCommands(DesktopShell& shell, PowerControl& power, DesktopContext context);

    // Runs `command` when it is one of the desktop commands; false for any
    // other (the window's own commands).
    bool Run(const LoaderCommand& command);

    const DesktopContext& Context() const { return context_; }

private:
    void OpenShellPlace(int place);
    void OpenVendorApplication(unsigned command);
    void SetAllCdDoors(bool open);
    void AskAndPower(unsigned command);
    void StartSideProgram(int mode);

    DesktopShell& shell_;
    PowerControl& power_;
    DesktopContext context_;
};
