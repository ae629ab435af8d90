// The suite's own skins as published packages: run from a Modules folder as
// the skin update runs them, each puts its skin folder, byte for byte as the
// build drew it, into Calendar\ beside itself.

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "common/file_io.h"
#include "common/path_util.h"
#include "common/win32/handles.h"
#include "loader/tests/loader_test_support.h"
#include "loader/tests/win32/fixture_folder.h"

namespace {

std::string BuildFolder() {
    return FolderOf(BuildBinFolder());
}

// Runs `program` hidden and waits for it; its exit code, or -1.
long RunHidden(const std::string& program) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started = {};
    std::string commandLine = "\"" + program + "\"";
    if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &started)) {
        return -1;
    }
    UniqueHandle process(started.hProcess);
    UniqueHandle thread(started.hThread);
    DWORD code = 0;
    if (WaitForSingleObject(process.get(), 20000) != WAIT_OBJECT_0 || !GetExitCodeProcess(process.get(), &code)) {
        return -1;
    }
    return static_cast<long>(code);
}

class SkinPackageTest : public LoaderTestFolder, public testing::WithParamInterface<const char*> {};

TEST_P(SkinPackageTest, PutsItsSkinFolderBesideItself) {
    const std::string skin = GetParam();
    const std::string package = PathOf("Modules\\" + skin + ".exe");
    std::filesystem::create_directories(PathOf("Modules"));
    const std::string published = JoinPath(BuildFolder(), "published-skins\\" + skin + ".exe");
    ASSERT_TRUE(CopyFileA(published.c_str(), package.c_str(), FALSE)) << published;
    ASSERT_EQ(RunHidden(package), 0);

    const std::filesystem::path drawn = JoinPath(BuildFolder(), "art\\modules\\Calendar\\" + skin);
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(drawn)) {
        const std::string name = entry.path().filename().string();
        std::string expected;
        std::string unpacked;
        ASSERT_TRUE(ReadWholeFile(entry.path().string(), expected)) << name;
        ASSERT_TRUE(ReadWholeFile(PathOf("Modules\\Calendar\\" + skin + "\\" + name), unpacked)) << name;
        EXPECT_EQ(unpacked, expected) << name;
        ++files;
    }
    EXPECT_GT(files, 1);
    int written = 0;
    for (const auto& entry : std::filesystem::directory_iterator(PathOf("Modules\\Calendar\\" + skin))) {
        EXPECT_TRUE(std::filesystem::exists(drawn / entry.path().filename())) << entry.path().string();
        ++written;
    }
    EXPECT_EQ(written, files);
}

INSTANTIATE_TEST_SUITE_P(SuiteSkins,
                         SkinPackageTest,
                         testing::Values("SkinsDefault", "SkinsJade", "SkinsAmber", "SkinsNight"));

}  // namespace
