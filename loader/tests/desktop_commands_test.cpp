// The desktop commands of the tray menu against a recording shell: what each
// command opens, runs or asks, and what it does when a lookup fails.

#include "loader/desktop_commands.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

class RecordingShell : public DesktopShell {
public:
    void Open(const std::string& target, const std::string& verb) override { calls.push_back(verb + " " + target); }
    void Run(const std::string& commandLine) override { calls.push_back("run " + commandLine); }
    void ShowDesktop() override { calls.push_back("desktop"); }
    std::string SpecialFolderPath(int csidl) override {
        return csidl == 39 ? std::string() : "C:\\folder" + std::to_string(csidl);
    }
    std::string SystemFolder() override { return "C:\\Windows\\system32\\"; }
    std::optional<std::string> MachineString(const std::string& key, const std::string& name) override {
        auto found = machine.find(key + "|" + name);
        return found == machine.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::optional<std::string> UserString(const std::string& key, const std::string& name) override {
        auto found = user.find(key + "|" + name);
        return found == user.end() ? std::nullopt : std::optional<std::string>(found->second);
    }
    std::vector<DriveRoot> Drives() override { return drives; }
    void SetCdDoor(const std::string& drive, bool open) override {
        calls.push_back(std::string(open ? "eject " : "close ") + drive);
    }
    bool ActivateSideProgram(int mode) override {
        calls.push_back("activate " + std::to_string(mode));
        return sideProgramOpen;
    }
    void StopSideProgramHook() override { calls.push_back("stop hook"); }
    bool Confirm(const std::string& question) override {
        calls.push_back("ask " + question);
        return answerYes;
    }

    std::vector<std::string> calls;
    std::map<std::string, std::string> machine;
    std::map<std::string, std::string> user;
    std::vector<DriveRoot> drives;
    bool sideProgramOpen = false;
    bool answerYes = false;
};

class RecordingPower : public PowerControl {
public:
    void PowerCommand(unsigned exitFlag) override { flags.push_back(exitFlag); }
    std::vector<unsigned> flags;
};

class DesktopCommandsTest : public testing::Test {
protected:
    // Runs `number` and gives what it asked of the shell.
    std::vector<std::string> RunCommand(unsigned number) {
        shell_.calls.clear();
        DesktopCommands commands(shell_, power_,
                                 DesktopContext{"C:\\Program Files\\泽鲁", "127.0.0.1:8080",
                                                SplitDrives({{"C:\\", false}, {"D:\\", true}, {"E:\\", false}})});
        EXPECT_TRUE(commands.Run(ClassifyCommand(number))) << number;
        return shell_.calls;
    }

    RecordingShell shell_;
    RecordingPower power_;
};

using Calls = std::vector<std::string>;

TEST_F(DesktopCommandsTest, ShellPlaces) {
    struct Case {
        unsigned number;
        Calls calls;
    } const cases[] = {
        {70200, {"open ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}"}},
        {70201, {"open ::{208D2C60-3AEA-1069-A2D7-08002B30309D}"}},
        {70202, {"open ::{450D8FBA-AD25-11D0-98A8-0800361B1103}"}},
        {70203, {"open ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{21EC2020-3AEA-1069-A2DD-08002B30309D}"}},
        {70204, {"desktop"}},
        {70205, {"open ::{20D04FE0-3AEA-1069-A2D8-08002B30309D}\\::{2227A280-3AEA-1069-A2DE-08002B30309D}"}},
        {70206, {"open ::{645FF040-5081-101B-9F08-00AA002F954E}"}},
        {70207, {"open C:\\folder6"}},
        {70208, {"open C:\\folder20"}},
        {70209, {"open C:\\folder34"}},
        {70210, {"open "}},  // the shell knows no such folder: the empty path, which does nothing
        {70211, {"open C:\\folder2"}},
        {70212, {"open C:\\folder7"}},
        {70213, {"open C:\\folder37"}},
        {70214, {"open C:\\folder36"}},
        {70215, {"open C:\\folder21"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunCommand(c.number), c.calls) << c.number;
    }
}

TEST_F(DesktopCommandsTest, DrivesProgramsAndPages) {
    shell_.user["Software\\Microsoft\\Internet Explorer\\Main|Start Page"] = "http://start.example/";
    struct Case {
        unsigned number;
        Calls calls;
    } const cases[] = {
        {70220, {"open C:"}},
        {70221, {"open E:"}},
        {70222, {}},  // no third drive
        {70290, {"explore D:\\"}},
        {70300, {"open C:\\Windows\\system32\\notepad.exe"}},
        {70301, {"open C:\\Windows\\system32\\calc.exe"}},
        {70302, {"open C:\\Windows\\system32\\mspaint.exe"}},
        {70304, {"open C:\\Windows\\system32\\cmd.exe"}},
        {70303, {"open http://start.example/"}},
        {70101, {"run rundll32.exe   shell32.dll,Control_RunDLL   timedate.cpl,,0"}},
        {68005, {"open http://127.0.0.1:8080/"}},
        {68006, {"open http://127.0.0.1:8080/software/tessary/help.htm"}},
        {68012, {"open http://127.0.0.1:8080/software/tessary/help.htm"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RunCommand(c.number), c.calls) << c.number;
    }
    shell_.user.clear();
    EXPECT_EQ(RunCommand(70303), Calls{});  // no start page set
}

TEST_F(DesktopCommandsTest, SideProgramStartsOnlyWhenNoWindowCameForward) {
    EXPECT_EQ(RunCommand(70001),
              (Calls{"activate 0", "run \"C:\\Program Files\\泽鲁\\Trevalo.exe\" APPMODEL_TREVALO"}));
    EXPECT_EQ(RunCommand(70002),
              (Calls{"activate 1", "run \"C:\\Program Files\\泽鲁\\Trevalo.exe\" APPMODEL_MSNHISTORY"}));
    shell_.sideProgramOpen = true;
    EXPECT_EQ(RunCommand(70001), Calls{"activate 0"});
    EXPECT_EQ(RunCommand(70002), Calls{"activate 1"});
}

TEST_F(DesktopCommandsTest, OtherVendorsApplicationsByTheirThreeLookups) {
    const std::string appPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\";
    shell_.machine[appPaths + "Thunder.exe|"] = "D:\\Thunder\\Thunder.exe";
    shell_.machine[appPaths + "Storm.exe|"] = "\"C:\\Program Files\\Storm\\Storm.exe\"";  // quoted
    shell_.machine["SOFTWARE\\Tencent\\QQ|Install"] = "C:\\Program Files\\Tencent\\QQ\\";
    shell_.machine[appPaths + "PPStream.exe|"] = "C:\\PPS\\bin\\PPStream.exe";
    EXPECT_EQ(RunCommand(70351), Calls{"open D:\\Thunder\\Thunder.exe"});
    EXPECT_EQ(RunCommand(70305), Calls{"open C:\\Program Files\\Storm\\Storm.exe"});
    EXPECT_EQ(RunCommand(70350), Calls{"open C:\\Program Files\\Tencent\\QQ\\QQ.exe"});
    EXPECT_EQ(RunCommand(70310), Calls{"open C:\\PPS\\bin\\Start.exe"});
    // Lookups that fail open nothing.
    EXPECT_EQ(RunCommand(70352), Calls{});
    shell_.machine["SOFTWARE\\Tencent\\QQ|Install"] = "";
    EXPECT_EQ(RunCommand(70350), Calls{});
    shell_.machine[appPaths + "PPStream.exe|"] = "PPStream.exe";  // no folder to put Start.exe in
    EXPECT_EQ(RunCommand(70310), Calls{});
}

TEST_F(DesktopCommandsTest, VendorTargetsKeepGbkFolderNames) {
    // 0x5C ('\') is the second byte of "\x95\x5C": it must not count as a separator.
    const VendorApplication& pps = VendorApplications()[7];
    ASSERT_EQ(pps.command, 70310u);
    EXPECT_EQ(VendorTarget(pps, "C:\\\x95\x5C.exe"), "C:\\Start.exe");
    const VendorApplication& qq = VendorApplications()[0];
    ASSERT_EQ(qq.command, 70350u);
    EXPECT_EQ(VendorTarget(qq, "C:\\\x95\x5C"), "C:\\\x95\x5C\\QQ.exe");
}

TEST_F(DesktopCommandsTest, CdDoors) {
    EXPECT_EQ(RunCommand(70400), Calls{"eject D:"});
    EXPECT_EQ(RunCommand(70450), Calls{"close D:"});
    EXPECT_EQ(RunCommand(70401), Calls{});
    // "All" asks for the drives at the time of the command.
    shell_.drives = {{"C:\\", false}, {"D:\\", true}, {"F:\\", true}};
    EXPECT_EQ(RunCommand(70500), (Calls{"eject D:", "eject F:"}));
    EXPECT_EQ(RunCommand(70501), (Calls{"close D:", "close F:"}));
}

TEST_F(DesktopCommandsTest, PowerCommandsAskFirstAndGoOnOnlyOnYes) {
    struct Case {
        unsigned number;
        const char* question;
        unsigned exitFlag;
    } const cases[] = {
        {70600, "真的要注销吗？", 0},
        {70601, "真的要重启吗？", 2},
        {70602, "真的要关机吗？", 8},
        {70603, "真的要快速关机吗？", 1},
    };
    for (const Case& c : cases) {
        shell_.answerYes = false;
        EXPECT_EQ(RunCommand(c.number), Calls{std::string("ask ") + c.question});
        EXPECT_TRUE(power_.flags.empty()) << c.number;
        shell_.answerYes = true;
        RunCommand(c.number);
        EXPECT_EQ(power_.flags, std::vector<unsigned>{c.exitFlag}) << c.number;
        power_.flags.clear();
    }
}

TEST_F(DesktopCommandsTest, WindowCommandsAreNotTheirs) {
    DesktopCommands commands(shell_, power_, DesktopContext{});
    for (unsigned number : {64900u, 64902u, 65000u, 68003u, 68004u, 68008u, 70000u, 70604u, 12345u}) {
        EXPECT_FALSE(commands.Run(ClassifyCommand(number))) << number;
    }
    EXPECT_TRUE(shell_.calls.empty());
}

}  // namespace
