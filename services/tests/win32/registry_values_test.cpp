// The registry functions on HKEY_LOCAL_MACHINE, each test under a key of its
// own that is deleted afterwards.
#include <gtest/gtest.h>

#include <string>

#include "common/win32/handles.h"
#include "services/product_services.h"

namespace {

constexpr char kTestsRoot[] = "SOFTWARE\\QvKernel32Tests";

class RegistryValues : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::string(kTestsRoot) + "\\run-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(GetTickCount());
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, root_.c_str());
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kTestsRoot);  // only goes when no other run uses it
    }

    bool KeyExists(const std::string& path) {
        HKEY key = nullptr;
        bool exists = RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) == ERROR_SUCCESS;
        UniqueRegistryKey owner(key);
        return exists;
    }

    std::string root_;
};

TEST_F(RegistryValues, WritingCreatesTheMissingKeyPath) {
    std::string path = root_ + "\\Microsoft\\Run";
    ASSERT_FALSE(KeyExists(root_));
    const std::string value = "\"C:\\程序\\tessary.exe\"";
    EXPECT_EQ(SetRegInfoValueEx(path.c_str(), "tessary", value), 1);
    EXPECT_TRUE(KeyExists(path));

    std::string out;
    EXPECT_EQ(GetRegInfoValue(path.c_str(), "tessary", out), 1);
    EXPECT_EQ(out, value);
    // A plain string value that carries its terminating zero.
    DWORD type = 0;
    DWORD size = 0;
    EXPECT_EQ(RegGetValueA(HKEY_LOCAL_MACHINE, path.c_str(), "tessary", RRF_RT_ANY, &type, nullptr, &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(size, value.size() + 1);

    EXPECT_EQ(SetRegInfoValueEx(path.c_str(), "tessary", "second"), 1);
    EXPECT_EQ(GetRegInfoValue(path.c_str(), "tessary", out), 1);
    EXPECT_EQ(out, "second");
}

TEST_F(RegistryValues, MissingKeyOrValueLeavesOutAlone) {
    ASSERT_EQ(SetRegInfoValueEx(root_.c_str(), "present", "x"), 1);
    std::string out = "unchanged";
    EXPECT_EQ(GetRegInfoValue(root_.c_str(), "absent", out), 0);
    EXPECT_EQ(GetRegInfoValue((root_ + "\\nowhere").c_str(), "present", out), 0);
    EXPECT_EQ(GetRegInfoValue(nullptr, "present", out), 0);
    EXPECT_EQ(out, "unchanged");
}

TEST_F(RegistryValues, ReadsAtMost256BytesWithTheTerminator) {
    const std::pair<std::size_t, int> cases[] = {{0, 1}, {255, 1}, {256, 0}, {300, 0}};
    for (const auto& [length, result] : cases) {
        SCOPED_TRACE(length);
        const std::string value(length, 'v');
        ASSERT_EQ(SetRegInfoValueEx(root_.c_str(), "long", value), 1);
        std::string out = "unchanged";
        EXPECT_EQ(GetRegInfoValue(root_.c_str(), "long", out), result);
        EXPECT_EQ(out, result == 1 ? value : "unchanged");
    }
}

TEST_F(RegistryValues, TextEndsAtTheFirstZeroOrWithTheData) {
    // Values written by other programs need not end with a zero, or may hold several.
    ASSERT_EQ(SetRegInfoValueEx(root_.c_str(), "made here", ""), 1);
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, root_.c_str(), 0, KEY_WRITE, &raw), ERROR_SUCCESS);
    UniqueRegistryKey key(raw);
    const std::pair<std::string, std::string> cases[] = {
        {std::string("abc"), "abc"},
        {std::string("ab\0cd\0", 6), "ab"},
    };
    for (const auto& [data, text] : cases) {
        ASSERT_EQ(RegSetValueExA(key.get(), "raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()),
                                 static_cast<DWORD>(data.size())),
                  ERROR_SUCCESS);
        std::string out;
        EXPECT_EQ(GetRegInfoValue(root_.c_str(), "raw", out), 1);
        EXPECT_EQ(out, text);
    }
}

TEST_F(RegistryValues, DeleteRemovesTheValueOnceAndKeepsTheKey) {
    ASSERT_EQ(SetRegInfoValueEx(root_.c_str(), "tessary", "\"C:\\a.exe\""), 1);
    EXPECT_EQ(DeleteRegKey(root_.c_str(), "tessary"), 1);
    EXPECT_EQ(DeleteRegKey(root_.c_str(), "tessary"), 0);
    std::string out = "unchanged";
    EXPECT_EQ(GetRegInfoValue(root_.c_str(), "tessary", out), 0);
    EXPECT_EQ(out, "unchanged");
    EXPECT_TRUE(KeyExists(root_));
    EXPECT_EQ(DeleteRegKey((root_ + "\\nowhere").c_str(), "tessary"), 0);
    EXPECT_EQ(DeleteRegKey(nullptr, "tessary"), 0);
}

}  // namespace
