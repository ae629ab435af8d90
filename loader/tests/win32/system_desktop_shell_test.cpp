// The real shell operations that tests may run: questions, drives, folders
// and registry strings. (Nothing here opens, starts or powers off anything.)

#include "loader/win32/system_desktop_shell.h"

#include <gtest/gtest.h>

#include <string>

#include "common/win32/handles.h"
#include "services/product_identity.h"
#include "testkit/win32/message_box_answerer.h"

namespace {

TEST(SystemDesktopShell, QuestionsAreYesNoMessageBoxesAndOnlyYesGoesOn) {
    SystemDesktopShell shell;
    for (int button : {IDNO, IDYES}) {
        testkit::MessageBoxAnswerer answerer(services::kMessageBoxCaption.data(), button);
        bool yes = shell.Confirm("真的要重启吗？");
        std::optional<testkit::AnsweredDialog> dialog = answerer.Result();
        ASSERT_TRUE(dialog.has_value());
        EXPECT_TRUE(dialog->captionMatched);
        EXPECT_EQ(dialog->text, "真的要重启吗？");
        EXPECT_EQ(dialog->ButtonIds(), (std::vector<int>{IDYES, IDNO}));
        EXPECT_EQ(dialog->icon, testkit::MessageBoxIcon::kQuestion);
        EXPECT_EQ(yes, button == IDYES);
    }
}

TEST(SystemDesktopShell, DrivesAndFolders) {
    SystemDesktopShell shell;
    std::vector<DriveRoot> drives = shell.Drives();
    ASSERT_FALSE(drives.empty());
    for (const DriveRoot& drive : drives) {
        ASSERT_EQ(drive.root.size(), 3u);
        EXPECT_EQ(drive.root.substr(1), ":\\");
    }
    std::string system = shell.SystemFolder();
    ASSERT_FALSE(system.empty());
    EXPECT_EQ(system.back(), '\\');
    EXPECT_NE(GetFileAttributesA((system + "kernel32.dll").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(shell.SpecialFolderPath(36), system.substr(0, system.rfind('\\', system.size() - 2)));
    // A drive that is no CD drive is skipped without a word.
    shell.SetCdDoor("C:", true);
}

TEST(SystemDesktopShell, UserStringsUpTo255Bytes) {
    const char* key = "Software\\tessary_loader_tests";
    HKEY created = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr),
              ERROR_SUCCESS);
    UniqueRegistryKey owned(created);
    auto set = [created](const char* name, const std::string& value) {
        RegSetValueExA(created, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
    };
    set("Start Page", "http://起始页.example/");
    set("Fits", std::string(255, 'a'));
    set("TooLong", std::string(256, 'a'));
    SystemDesktopShell shell;
    EXPECT_EQ(shell.UserString(key, "Start Page"), "http://起始页.example/");
    EXPECT_EQ(shell.UserString(key, "Fits"), std::string(255, 'a'));
    EXPECT_EQ(shell.UserString(key, "TooLong"), std::nullopt);
    EXPECT_EQ(shell.UserString(key, "Missing"), std::nullopt);
    EXPECT_EQ(shell.UserString("Software\\tessary_no_such_key", "Start Page"), std::nullopt);
    owned.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}

}  // namespace
