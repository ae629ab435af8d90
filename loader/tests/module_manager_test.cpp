// The module table against a fake system: discovery order, ids and indexes,
// library paths, module.ini, PATH, broken modules and the order of release.

#include "loader/module_manager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "loader/tests/loader_test_support.h"

namespace {

// Everything the fake modules and the fake system did, in order.
std::vector<std::string> gLog;
WidgetHost* gLastHost = nullptr;

// A well-behaved module; N tells the instances apart.
template <int N>
struct FakeWidget {
    static inline bool working = false;
    static inline int releaseAnswer = 1;

    static void Note(const std::string& call) { gLog.push_back("w" + std::to_string(N) + " " + call); }

    static int WIDGET_CALL Bind(WidgetInterface* table) {
        Note("bind " + std::to_string(table->size));
        if (table->size != kWidgetInterfaceSize) {
            return 0;
        }
        table->InitWidget = [](WidgetHost* host) -> int {
            Note("init");
            gLastHost = host;
            working = true;
            return 1;
        };
        table->Release = [](std::uint32_t argument) -> int {
            Note("release " + std::to_string(argument));
            working = false;
            return releaseAnswer;
        };
        table->Show = [](int show) -> int {
            Note("show " + std::to_string(show));
            return 1;
        };
        table->IsWidgetWorking = []() -> int { return working ? 1 : 0; };
        return 1;
    }
    static void Reset() {
        working = false;
        releaseAnswer = 1;
    }
};

int WIDGET_CALL RefusingBind(WidgetInterface* table) {
    gLog.push_back("refusing bind");
    // A refusal after writing part of the table: nothing of it may be used.
    table->IsWidgetWorking = []() -> int { return 1; };
    return 0;
}

class FakePlatform : public ModulePlatform {
public:
    struct Library {
        std::string name;
        GetVexaWInterfaceFunction bind;  // nullptr: no such export
    };

    std::vector<std::string> ListDescriptorFiles(const std::string& folder) override {
        gLog.push_back("list " + folder);
        return listing;
    }
    std::string FullPath(const std::string& path) override { return path; }
    std::string ReadSearchPath() override { return searchPath; }
    void WriteSearchPath(const std::string& value) override { searchPath = value; }
    ModuleLibrary OpenLibrary(const std::string& path) override {
        gLog.push_back("load " + path);
        auto found = libraries.find(path);
        return found == libraries.end() ? nullptr : &found->second;
    }
    GetVexaWInterfaceFunction FindInterfaceExport(ModuleLibrary library) override {
        return static_cast<Library*>(library)->bind;
    }
    bool CloseLibrary(ModuleLibrary library) override {
        gLog.push_back("free " + static_cast<Library*>(library)->name);
        return true;
    }

    std::vector<std::string> listing;
    std::map<std::string, Library> libraries;
    std::string searchPath = "C:\\Windows";
};

class ModuleManagerTest : public LoaderTestFolder {
protected:
    void SetUp() override {
        LoaderTestFolder::SetUp();
        gLog.clear();
        gLastHost = nullptr;
        FakeWidget<1>::Reset();
        FakeWidget<2>::Reset();
        FakeWidget<3>::Reset();
        calendar_ = PathOf("modules/Calendar");
        settings_ = PathOf("Data/module.ini");
    }

    // Writes a descriptor naming `file` into the descriptor folder.
    std::string Descriptor(const std::string& name, const std::string& file, const std::string& folder = "") {
        return WriteFile(JoinPath(folder.empty() ? "modules/Calendar" : folder, name),
                         "<?xml version=\"1.0\" encoding=\"GB2312\"?><widget><file>" + file + "</file><name>" + name +
                             "</name></widget>");
    }
    // A library the fake system loads from the descriptor folder.
    void Library(const std::string& file, GetVexaWInterfaceFunction bind, const std::string& folder = "") {
        std::string path = JoinPath(folder.empty() ? calendar_ : PathOf(folder), file);
        platform_.libraries[path] = {file, bind};
    }
    void Settings(const std::string& text) { WriteFile("Data/module.ini", text); }

    std::vector<std::string> LogWithout(const std::string& prefix) const {
        std::vector<std::string> kept;
        for (const std::string& line : gLog) {
            if (line.rfind(prefix, 0) != 0) {
                kept.push_back(line);
            }
        }
        return kept;
    }

    FakePlatform platform_;
    WidgetHost host_;
    std::string calendar_;
    std::string settings_;
};

using Log = std::vector<std::string>;

TEST_F(ModuleManagerTest, DiscoveryTakesDescriptorsInNameOrderAndSkipsBadOnes) {
    Descriptor("a.xml", "a.dll");
    WriteFile("modules/Calendar/b.xml", "<widget><file>b.dll</file><name>b</name>");  // not well-formed
    Descriptor("C.XML", "c.dll");
    WriteFile("modules/Calendar/notes.txt", "");
    Library("a.dll", FakeWidget<1>::Bind);
    Library("c.dll", FakeWidget<2>::Bind);
    // The file system lists them in an order of its own.
    platform_.listing = {"C.XML", "notes.txt", "b.xml", "a.xml"};
    ModuleManager modules(platform_, settings_);
    modules.Discover(PathOf("modules"));

    ASSERT_EQ(modules.Count(), 2u);
    EXPECT_EQ(modules.At(0)->id, 1u);
    EXPECT_STREQ(modules.At(0)->libraryFile, "a.dll");
    EXPECT_EQ(modules.At(1)->id, 2u);  // the bad descriptor took no id
    EXPECT_STREQ(modules.At(1)->libraryFile, "c.dll");
    EXPECT_STREQ(modules.At(1)->descriptorPath, JoinPath(calendar_, "C.XML").c_str());
    EXPECT_EQ(modules.At(2), nullptr);
    EXPECT_EQ(gLog.front(), "list " + calendar_);
}

TEST_F(ModuleManagerTest, BareLibraryNameIsTakenBesideItsDescriptorAndItsSectionIsLowerCase) {
    Descriptor("calendar.xml", "QvCalendar.DLL");
    Library("QvCalendar.DLL", FakeWidget<1>::Bind);
    Settings("[qvcalendar.dll]\r\nload=1\r\n");
    ModuleManager modules(platform_, settings_);
    modules.SetHost(&host_);
    std::uint32_t id = 0;
    EXPECT_EQ(modules.Add(JoinPath(calendar_, "calendar.xml"), id), 1);
    EXPECT_EQ(id, 1u);
    EXPECT_EQ(gLog, (Log{"load " + JoinPath(calendar_, "QvCalendar.DLL"), "w1 bind 36", "w1 init"}));
    EXPECT_EQ(gLastHost, &host_);
    EXPECT_TRUE(ModuleManager::IsUsable(*modules.At(0)));
}

TEST_F(ModuleManagerTest, LibraryPathsAndSections) {
    struct Case {
        const char* descriptor;
        const char* file;
        const char* path;
        const char* section;
    } const cases[] = {
        {"C:\\m\\Calendar\\a.xml", "qvcalendar.dll", "C:\\m\\Calendar\\qvcalendar.dll", "qvcalendar.dll"},
        {"C:\\m\\Calendar\\a.xml", "QVCALENDAR.DLL", "C:\\m\\Calendar\\QVCALENDAR.DLL", "qvcalendar.dll"},
        {"C:\\m\\Calendar\\a.xml", "D:\\w\\Widget.dll", "D:\\w\\Widget.dll", "widget.dll"},
        {"C:\\m\\Calendar\\a.xml", "sub\\W.dll", "sub\\W.dll", "w.dll"},
        {"C:\\m\\Calendar\\a.xml", "D:W.dll", "D:W.dll", "d:w.dll"},
        // "\x95\x5C" is one GBK character whose second byte is '\'; "\xC8\xD5" (日) stays.
        {"C:\\m\\a.xml", "\xC8\xD5\x95\x5CX.DLL", "C:\\m\\\xC8\xD5\x95\x5CX.DLL", "\xC8\xD5\x95\x5Cx.dll"},
    };
    for (const Case& c : cases) {
        std::string expected = c.path;
#ifndef _WIN32
        // A bare name is joined with this build's separator.
        if (expected.rfind("C:\\m\\", 0) == 0) {
            expected = FolderOf(c.descriptor) + kPathSeparator + c.file;
        }
#endif
        EXPECT_EQ(ResolveLibraryPath(c.descriptor, c.file), expected) << c.file;
        EXPECT_EQ(ModuleSettingsSection(c.file), c.section) << c.file;
    }
}

TEST_F(ModuleManagerTest, OnlyATrimmedOneStartsTheWidget) {
    struct Case {
        const char* settings;
        bool starts;
    } const cases[] = {
        {"[w.dll]\r\nload=1\r\n", true},
        {"[w.dll]\r\nload= 1 \r\n", true},
        {"[W.DLL]\r\nLOAD=\t1\r\n", true},  // the profile rules: names in any case
        {"[w.dll]\r\nload=true\r\n", false},
        {"[w.dll]\r\nload=2\r\n", false},
        {"[w.dll]\r\nload=1 1\r\n", false},
        {"[w.dll]\r\nload=\r\n", false},
        {"[w.dll]\r\nskins=SkinsDefault\r\n", false},
        {"[other.dll]\r\nload=1\r\n", false},
        {nullptr, false},  // no module.ini at all
    };
    for (const Case& c : cases) {
        std::filesystem::remove(settings_);
        if (c.settings != nullptr) {
            Settings(c.settings);
        }
        Descriptor("w.xml", "w.dll");
        Library("w.dll", FakeWidget<1>::Bind);
        gLog.clear();
        FakeWidget<1>::Reset();
        ModuleManager modules(platform_, settings_);
        std::uint32_t id = 0;
        modules.Add(JoinPath(calendar_, "w.xml"), id);
        EXPECT_EQ(ModuleManager::IsUsable(*modules.At(0)), c.starts) << (c.settings ? c.settings : "(none)");
        EXPECT_NE(modules.At(0)->library, nullptr);  // loaded and bound either way
    }
    EXPECT_TRUE(IsLoadEnabled(" \t1\r\n"));
    EXPECT_FALSE(IsLoadEnabled("01"));
    EXPECT_FALSE(std::filesystem::exists(settings_));  // reading never made the file
}

TEST_F(ModuleManagerTest, BrokenModulesStayWithoutLibraryAndNeverStopTheOthers) {
    Settings(
        "[good.dll]\r\nload=1\r\n[refusing.dll]\r\nload=1\r\n[noexport.dll]\r\nload=1\r\n"
        "[missing.dll]\r\nload=1\r\n[good2.dll]\r\nload=1\r\n");
    Descriptor("1.xml", "good.dll");
    Descriptor("2.xml", "refusing.dll");
    Descriptor("3.xml", "noexport.dll");
    Descriptor("4.xml", "missing.dll");
    Descriptor("5.xml", "good2.dll");
    Library("good.dll", FakeWidget<1>::Bind);
    Library("refusing.dll", RefusingBind);
    Library("noexport.dll", nullptr);
    Library("good2.dll", FakeWidget<2>::Bind);
    platform_.listing = {"1.xml", "2.xml", "3.xml", "4.xml", "5.xml"};
    ModuleManager modules(platform_, settings_);
    modules.Discover(PathOf("modules"));

    ASSERT_EQ(modules.Count(), 5u);
    EXPECT_EQ(LogWithout("load "), (Log{"list " + calendar_, "w1 bind 36", "w1 init", "refusing bind",
                                        "free refusing.dll", "free noexport.dll", "w2 bind 36", "w2 init"}));
    for (std::size_t index : {1u, 2u, 3u}) {
        const ModuleRecord& broken = *modules.At(index);
        EXPECT_EQ(broken.library, nullptr) << index;
        EXPECT_EQ(broken.entries.IsWidgetWorking, nullptr) << index;
        EXPECT_FALSE(ModuleManager::IsUsable(broken)) << index;
    }
    // Only working modules get menu numbers, in index order.
    EXPECT_EQ(modules.NumberWorkingModules(), 2);
    EXPECT_EQ(modules.At(0)->menuCommand, 65000u);
    EXPECT_EQ(modules.At(1)->menuCommand, 0u);
    EXPECT_EQ(modules.At(4)->menuCommand, 65001u);
    EXPECT_EQ(modules.Usable(1), nullptr);
    EXPECT_EQ(modules.Usable(4), modules.At(4));
}

TEST_F(ModuleManagerTest, EverySearchPathAdditionIsKeptAlsoForOneFolder) {
    Descriptor("a.xml", "a.dll");
    Descriptor("b.xml", "b.dll");
    Descriptor("c.xml", "c.dll", "extra");
    ModuleManager modules(platform_, settings_);
    std::uint32_t id = 0;
    EXPECT_EQ(modules.Add(JoinPath(calendar_, "a.xml"), id), 1);  // its library is missing: still added
    EXPECT_EQ(modules.Add(JoinPath(calendar_, "b.xml"), id), 1);
    EXPECT_EQ(modules.Add(PathOf("extra/c.xml"), id), 1);
    EXPECT_EQ(id, 3u);
    EXPECT_EQ(platform_.searchPath, "C:\\Windows;" + calendar_ + ";" + calendar_ + ";" + PathOf("extra"));
}

TEST_F(ModuleManagerTest, RefusedDescriptorGivesItsIdBack) {
    Descriptor("good.xml", "good.dll");
    WriteFile("modules/Calendar/noname.xml", "<widget><file>x.dll</file></widget>");
    ModuleManager modules(platform_, settings_);
    std::uint32_t id = 99;
    EXPECT_EQ(modules.Add(JoinPath(calendar_, "noname.xml"), id), 0);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(modules.Add(JoinPath(calendar_, "missing.xml"), id), 0);
    EXPECT_EQ(modules.Add(JoinPath(calendar_, "good.xml"), id), 1);
    EXPECT_EQ(id, 1u);
    EXPECT_EQ(platform_.searchPath, "C:\\Windows;" + calendar_);  // refused ones add no folder
}

TEST_F(ModuleManagerTest, RemoveAllReleasesEachLoadedModuleOnceInIdOrderBeforeUnloading) {
    Settings("[a.dll]\r\nload=1\r\n[b.dll]\r\nload=1\r\n[c.dll]\r\nload=1\r\n");
    Descriptor("a.xml", "a.dll");
    Descriptor("b.xml", "b.dll");
    Descriptor("c.xml", "c.dll");
    Descriptor("d.xml", "d.dll");
    Library("a.dll", FakeWidget<1>::Bind);
    Library("b.dll", RefusingBind);
    Library("c.dll", FakeWidget<2>::Bind);
    Library("d.dll", FakeWidget<3>::Bind);  // bound, but not enabled in module.ini
    platform_.listing = {"d.xml", "c.xml", "b.xml", "a.xml"};
    ModuleManager modules(platform_, settings_);
    modules.Discover(PathOf("modules"));
    gLog.clear();
    modules.RemoveAll();
    EXPECT_EQ(gLog, (Log{"w1 release 0", "free a.dll", "w2 release 0", "free c.dll", "w3 release 0", "free d.dll"}));
    EXPECT_EQ(modules.Count(), 0u);
    gLog.clear();
    modules.RemoveAll();
    EXPECT_TRUE(gLog.empty());
}

TEST_F(ModuleManagerTest, ReleaseAnswering0KeepsTheLibraryUntilTheRecordGoes) {
    Settings("[a.dll]\r\nload=1\r\n");
    Descriptor("a.xml", "a.dll");
    Library("a.dll", FakeWidget<1>::Bind);
    ModuleManager modules(platform_, settings_);
    std::uint32_t id = 0;
    modules.Add(JoinPath(calendar_, "a.xml"), id);
    FakeWidget<1>::releaseAnswer = 0;
    gLog.clear();
    EXPECT_EQ(modules.Unload(id, 7), 0);
    EXPECT_NE(modules.Find(id)->library, nullptr);
    EXPECT_EQ(modules.Unload(99, 0), 0);
    EXPECT_EQ(modules.Remove(id, 0), 1);
    EXPECT_EQ(modules.Remove(id, 0), 0);
    EXPECT_EQ(gLog, (Log{"w1 release 7", "w1 release 0"}));  // never freed
}

TEST_F(ModuleManagerTest, UnloadClearsTheTableAndARecordWithoutLibraryIsDone) {
    Descriptor("a.xml", "a.dll");
    Descriptor("m.xml", "missing.dll");
    Library("a.dll", FakeWidget<1>::Bind);
    ModuleManager modules(platform_, settings_);
    std::uint32_t a = 0;
    std::uint32_t missing = 0;
    modules.Add(JoinPath(calendar_, "a.xml"), a);
    modules.Add(JoinPath(calendar_, "m.xml"), missing);
    EXPECT_EQ(modules.Unload(missing, 0), 1);
    EXPECT_EQ(modules.Unload(a, 0), 1);
    const ModuleRecord& record = *modules.Find(a);
    EXPECT_EQ(record.library, nullptr);
    EXPECT_EQ(record.entries.size, 0u);
    EXPECT_EQ(record.entries.Release, nullptr);
    // Loading again binds it afresh.
    gLog.clear();
    EXPECT_EQ(modules.Load(a), 0);
    EXPECT_EQ(LogWithout("load "), Log{"w1 bind 36"});
}

TEST_F(ModuleManagerTest, AModuleAlreadyWorkingIsNotStartedAgain) {
    Settings("[a.dll]\r\nload=1\r\n");
    Descriptor("a.xml", "a.dll");
    Library("a.dll", FakeWidget<1>::Bind);
    FakeWidget<1>::working = true;
    ModuleManager modules(platform_, settings_);
    std::uint32_t id = 0;
    modules.Add(JoinPath(calendar_, "a.xml"), id);
    EXPECT_EQ(LogWithout("load "), Log{"w1 bind 36"});
    EXPECT_EQ(modules.Load(id), 1);
}

TEST_F(ModuleManagerTest, FieldsAreCutToTheirWidthsAndPathsMustFitWhole) {
    // 20 two-byte characters: 31 bytes hold 15 of them.
    std::string longName;
    for (int i = 0; i < 20; ++i) {
        longName += "日";
    }
    WriteFile("modules/Calendar/long.xml", "<widget><file>a.dll</file><name>" + longName + "</name><author>" +
                                               std::string(40, 'x') + "</author></widget>");
    WriteFile("modules/Calendar/longfile.xml",
              "<widget><file>" + std::string(260, 'f') + ".dll</file><name>n</name></widget>");
    ModuleManager modules(platform_, settings_);
    std::uint32_t id = 0;
    EXPECT_EQ(modules.Add(JoinPath(calendar_, "longfile.xml"), id), 0);
    ASSERT_EQ(modules.Add(JoinPath(calendar_, "long.xml"), id), 1);
    const WidgetInfo& info = *modules.Find(id)->info;
    EXPECT_EQ(info.size, 4188u);
    EXPECT_EQ(std::string(info.name), longName.substr(0, 30));
    EXPECT_EQ(std::string(info.author), std::string(31, 'x'));
}

TEST_F(ModuleManagerTest, CopyToFieldNeverOverrunsNorSplitsACharacter) {
    char field[6];
    std::memset(field, '#', sizeof field);
    EXPECT_TRUE(CopyToField(field, "ab"));
    EXPECT_EQ(std::string(field, sizeof field), std::string("ab\0\0\0\0", 6));
    EXPECT_TRUE(CopyToField(field, "a日本"));  // 5 bytes and the zero
    EXPECT_EQ(std::string(field, sizeof field), std::string("a日本\0", 6));
    EXPECT_FALSE(CopyToField(field, "ab日本"));  // half of 本 would fit: all of it goes
    EXPECT_EQ(std::string(field, sizeof field), std::string("ab日\0\0", 6));
    EXPECT_FALSE(CopyToField(field, "abcdefgh"));
    EXPECT_EQ(std::string(field, sizeof field), std::string("abcde\0", 6));
}

}  // namespace
