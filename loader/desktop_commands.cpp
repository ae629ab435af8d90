#include "loader/desktop_commands.h"

#include <array>

#include "common/text_encoding.h"

namespace {

// In menu order; the first three stand above a separator.
constexpr std::array<VendorApplication, 9> kVendorApplications = {{
    {70350, "腾讯QQ", VendorLookup::kInstallFolder, "QQ.exe", "SOFTWARE\\Tencent\\QQ"},
    {70351, "迅雷", VendorLookup::kAppPath, "Thunder.exe", ""},
    {70352, "阿里旺旺", VendorLookup::kAppPath, "AliIM.exe", ""},
    {70305, "暴风影音", VendorLookup::kAppPath, "Storm.exe", ""},
    {70306, "千千静听", VendorLookup::kAppPath, "TTPlayer.exe", ""},
    {70307, "酷狗音乐", VendorLookup::kAppPath, "KuGoo.exe", ""},
    {70308, "WPS文字", VendorLookup::kAppPath, "wps.exe", ""},
    {70310, "PPS网络电视", VendorLookup::kStartBesideAppPath, "PPStream.exe", ""},
    {70309, "Foxmail", VendorLookup::kAppPath, "Foxmail.exe", ""},
}};

// A shell place: a namespace path, a special folder, or the desktop itself.
struct ShellPlace {
    const char* path;  // nullptr: use csidl
    int csidl;         // -1 with no path: show the desktop
};

// Indexed by command - 70200.
constexpr std::array<ShellPlace, 16> kShellPlaces = {{
    {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}", 0},                                            // 70200 我的电脑
    {"::{208D2C60-3AEA-1069-A2D7-08002B30309D}", 0},                                            // 70201 网上邻居
    {"::{450D8FBA-AD25-11D0-98A8-0800361B1103}", 0},                                            // 70202 我的文档
    {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}", 0},  // 70203 控制面板
    {nullptr, -1},                                                                              // 70204 桌面
    {"::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{2227A280-3AEA-1069-A2DE-08002B30309D}", 0},  // 70205 打印机
    {"::{645FF040-5081-101B-9F08-00AA002F954E}", 0},                                            // 70206 回收站
    {nullptr, 6},                                                                               // 70207 收藏夹
    {nullptr, 20},                                                                              // 70208 字体目录
    {nullptr, 34},                                                                              // 70209 历史记录
    {nullptr, 39},                                                                              // 70210 图片收藏
    {nullptr, 2},                                                                               // 70211 程序目录
    {nullptr, 7},                                                                               // 70212 启动项
    {nullptr, 37},                                                                              // 70213 系统目录
    {nullptr, 36},                                                                              // 70214 Windows目录
    {nullptr, 21},                                                                              // 70215 临时目录
}};

struct PowerQuestion {
    unsigned command;
    const char* question;
    unsigned exitFlag;
};

constexpr std::array<PowerQuestion, 4> kPowerQuestions = {{
    {command::kLogOff, "真的要注销吗？", kExitLogOff},
    {command::kRestart, "真的要重启吗？", kExitRestart},
    {command::kPowerOff, "真的要关机吗？", kExitPowerOff},
    {command::kShutDown, "真的要快速关机吗？", kExitShutDown},
}};

constexpr char kDateTimeSettingsCommand[] = "rundll32.exe   shell32.dll,Control_RunDLL   timedate.cpl,,0";
constexpr char kBrowserKey[] = "Software\\Microsoft\\Internet Explorer\\Main";

// Registry paths often come quoted ("C:\...\x.exe"); the shell wants them bare.
std::string_view Unquoted(std::string_view value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"') {
        value = value.substr(1, value.size() - 2);
    }
    return value;
}

// Position of the last backslash that is a character of its own (0x5C is
// also a second byte of some GBK characters), or npos.
std::size_t LastBackslash(std::string_view text) {
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t length = GbkSequenceLength(text.substr(pos));
        if (length <= 1 && text[pos] == '\\') {
            found = pos;
        }
        pos += length == 0 ? 1 : length;
    }
    return found;
}

const char* ProgramFile(unsigned number) {
    switch (number) {
        case command::kNotepad:
            return "notepad.exe";
        case command::kCalculator:
            return "calc.exe";
        case command::kPaint:
            return "mspaint.exe";
        case command::kCommandPrompt:
            return "cmd.exe";
        default:
            return nullptr;
    }
}

}  // namespace

std::span<const VendorApplication> VendorApplications() {
    return kVendorApplications;
}

std::string AppPathsKey(std::string_view program) {
    std::string key = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
    key.append(program);
    return key;
}

std::optional<std::string> VendorTarget(const VendorApplication& application, std::string_view value) {
    value = Unquoted(value);
    if (value.empty()) {
        return std::nullopt;
    }
    switch (application.lookup) {
        case VendorLookup::kAppPath:
            return std::string(value);
        case VendorLookup::kInstallFolder: {
            std::size_t last = LastBackslash(value);
            if (last != std::string_view::npos && last + 1 == value.size()) {
                value.remove_suffix(1);
            }
            std::string path(value);
            path += '\\';
            path.append(application.program);
            return path;
        }
        case VendorLookup::kStartBesideAppPath: {
            std::size_t last = LastBackslash(value);
            if (last == std::string_view::npos) {
                return std::nullopt;
            }
            std::string path(value.substr(0, last));
            path += "\\Start.exe";
            return path;
        }
    }
    return std::nullopt;
}

std::string HomePageAddress(std::string_view siteHost) {
    return "http://" + std::string(siteHost) + "/";
}

std::string HelpPageAddress(std::string_view siteHost) {
    return "http://" + std::string(siteHost) + "/software/tessary/help.htm";
}

DesktopCommands::DesktopCommands(DesktopShell& shell, PowerControl& power, DesktopContext context)
    : shell_(shell), power_(power), context_(std::move(context)) {}

bool DesktopCommands::Run(const LoaderCommand& command) {
    const DriveLists& drives = context_.drives;
    auto at = [](const std::vector<std::string>& list, int index) -> const std::string* {
        return index >= 0 && static_cast<std::size_t>(index) < list.size() ? &list[static_cast<std::size_t>(index)]
                                                                           : nullptr;
    };
    switch (command.kind) {
        case CommandKind::kHomePage:
            shell_.Open(HomePageAddress(context_.siteHost), "open");
            return true;
        case CommandKind::kHelp:
            shell_.Open(HelpPageAddress(context_.siteHost), "open");
            return true;
        case CommandKind::kSideProgram:
            StartSideProgram(command.argument);
            return true;
        case CommandKind::kDateTimeSettings:
            shell_.Run(kDateTimeSettingsCommand);
            return true;
        case CommandKind::kShellPlace:
            OpenShellPlace(command.argument);
            return true;
        case CommandKind::kOpenDrive:
            if (const std::string* drive = at(drives.fixed, command.argument)) {
                shell_.Open(*drive, "open");
            }
            return true;
        case CommandKind::kExploreCdDrive:
            if (!drives.cd.empty()) {
                shell_.Open(drives.cd.front() + "\\", "explore");
            }
            return true;
        case CommandKind::kProgram:
            if (const char* program = ProgramFile(static_cast<unsigned>(command.argument))) {
                shell_.Open(shell_.SystemFolder() + program, "open");
            }
            return true;
        case CommandKind::kBrowserStartPage:
            if (std::optional<std::string> page = shell_.UserString(kBrowserKey, "Start Page");
                page && !page->empty()) {
                shell_.Open(*page, "open");
            }
            return true;
        case CommandKind::kVendorApplication:
            OpenVendorApplication(static_cast<unsigned>(command.argument));
            return true;
        case CommandKind::kOpenCdDoor:
        case CommandKind::kCloseCdDoor:
            if (const std::string* drive = at(drives.cd, command.argument)) {
                shell_.SetCdDoor(*drive, command.kind == CommandKind::kOpenCdDoor);
            }
            return true;
        case CommandKind::kOpenAllCdDoors:
        case CommandKind::kCloseAllCdDoors:
            SetAllCdDoors(command.kind == CommandKind::kOpenAllCdDoors);
            return true;
        case CommandKind::kPower:
            AskAndPower(static_cast<unsigned>(command.argument));
            return true;
        default:
            return false;
    }
}

void DesktopCommands::OpenShellPlace(int place) {
    if (place < 0 || static_cast<std::size_t>(place) >= kShellPlaces.size()) {
        return;
    }
    const ShellPlace& target = kShellPlaces[static_cast<std::size_t>(place)];
    if (target.path != nullptr) {
        shell_.Open(target.path, "open");
    } else if (target.csidl < 0) {
        shell_.ShowDesktop();
    } else {
        // An unknown folder opens the empty path, which does nothing.
        shell_.Open(shell_.SpecialFolderPath(target.csidl), "open");
    }
}

void DesktopCommands::OpenVendorApplication(unsigned number) {
    for (const VendorApplication& application : kVendorApplications) {
        if (application.command != number) {
            continue;
        }
        std::optional<std::string> value = application.lookup == VendorLookup::kInstallFolder
                                               ? shell_.MachineString(std::string(application.key), "Install")
                                               : shell_.MachineString(AppPathsKey(application.program), "");
        if (!value) {
            return;
        }
        if (std::optional<std::string> target = VendorTarget(application, *value)) {
            shell_.Open(*target, "open");
        }
        return;
    }
}

void DesktopCommands::SetAllCdDoors(bool open) {
    for (const DriveRoot& drive : shell_.Drives()) {
        if (!drive.isCd) {
            continue;
        }
        std::string name = drive.root;
        while (!name.empty() && name.back() == '\\') {
            name.pop_back();
        }
        shell_.SetCdDoor(name, open);
    }
}

void DesktopCommands::AskAndPower(unsigned number) {
    for (const PowerQuestion& question : kPowerQuestions) {
        if (question.command == number) {
            if (shell_.Confirm(question.question)) {
                power_.PowerCommand(question.exitFlag);
            }
            return;
        }
    }
}

void DesktopCommands::StartSideProgram(int mode) {
    if (shell_.ActivateSideProgram(mode)) {
        return;
    }
    std::string commandLine = "\"" + context_.programFolder + "\\Trevalo.exe\" ";
    commandLine += mode == 0 ? "APPMODEL_TREVALO" : "APPMODEL_MSNHISTORY";
    shell_.Run(commandLine);
}
