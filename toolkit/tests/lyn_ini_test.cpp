#include "toolkit/lyn_ini.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "toolkit/tests/test_folder.h"

namespace {

#ifdef _WIN32
constexpr int kInvalidParameter = 87;  // ERROR_INVALID_PARAMETER
#else
constexpr int kInvalidParameter = EINVAL;
#endif

class LynIniTest : public TestFolder {
protected:
    // A CLynIni on a new file "test.ini" holding `contents`.
    CLynIni Open(std::string_view contents) {
        CLynIni ini;
        EXPECT_EQ(ini.SetFileName(WriteFile("test.ini", contents)), 1);
        return ini;
    }
    std::string FileText() const { return Contents(PathOf("test.ini")); }
};

struct KeyValues {
    std::vector<std::string> keys;
    std::vector<std::string> values;
};

KeyValues ReadKeyValues(const CLynIni& ini, const std::string& section) {
    KeyValues read;
    int count = ini.GetKeyValues(read.keys, read.values, section);
    EXPECT_EQ(count, static_cast<int>(read.keys.size()));
    EXPECT_EQ(read.keys.size(), read.values.size());
    return read;
}

std::vector<std::string> ReadSections(const CLynIni& ini) {
    std::vector<std::string> names;
    int count = ini.GetSections(names);
    EXPECT_EQ(count, static_cast<int>(names.size()));
    return names;
}

}  // namespace

TEST_F(LynIniTest, GetValueFollowsTheProfileFileConventions) {
    CLynIni ini = Open(
        "top=above the first section\r\n"
        "; comment=1\r\n"
        "[Main]\r\n"
        "  plain = value  \r\n"
        "quoted = \"  inside  \"  \r\n"
        "single='x'\r\n"
        "unbalanced=\"x'\r\n"
        "lonequote=\"\r\n"
        "emptyquotes=\"\"\r\n"
        "equals=a=b=c\r\n"
        "bare line\r\n"
        "dup=first\r\n"
        "DUP=second\r\n"
        "\tblanks\t=\x0B\x0Cv\x1A\r\n"
        ";hidden=comment\r\n"
        "=nameless\r\n"
        "[中文节]\r\n"
        "键=　值　\r\n"
        "[ＡＢ]\r\n"
        "full=width\r\n"
        "[\x81\x41]\r\n"
        "trail=letter\r\n"
        "[main]\r\n"
        "later=in a second section of the same name\r\n"
        "[x] text after the bracket\r\n"
        "y=1\r\n"
        "[unclosed\r\n"
        "[\x81\x5D\r\n"  // ']' as a second byte closes nothing
        "after=2\r\n");
    struct Case {
        const char* section;
        const char* key;
        const char* expected;
    };
    const Case cases[] = {
        {"Main", "plain", "value"},
        {"MAIN", "PLAIN", "value"},
        {" Main\t", "  plain ", "value"},
        {"Main", "quoted", "  inside  "},
        {"Main", "single", "x"},
        {"Main", "unbalanced", "\"x'"},
        {"Main", "lonequote", "\""},
        {"Main", "emptyquotes", ""},
        {"Main", "equals", "a=b=c"},
        {"Main", "bare line", ""},  // a line without '=' has no value
        {"Main", "dup", "first"},
        {"Main", "blanks", "v"},
        {"Main", ";hidden", ""},
        {"Main", "", "nameless"},
        {"Main", "missing", ""},
        {"Missing", "plain", ""},
        {"", "top", "above the first section"},
        {"中文节", "键", "　值　"},  // the full-width space is text
        {"ａｂ", "full", ""},        // only ASCII letters match without case
        {"ＡＢ", "full", "width"},
        {"\x81\x61", "trail", ""},  // 'A' as a second byte is not a letter
        {"\x81\x41", "trail", "letter"},
        {"main", "later", ""},  // the first [Main] is the section
        {"x", "y", "1"},
        {"x", "[unclosed", ""},
        {"x", "after", "2"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.GetValue(c.section, c.key), c.expected) << "[" << c.section << "] " << c.key;
    }
}

TEST_F(LynIniTest, EveryKindOfLineEndSeparatesLines) {
    const char* fixtures[] = {
        "[s]\r\na=1\r\nb=2\r\n", "[s]\na=1\nb=2\n",     "[s]\ra=1\rb=2\r",
        "[s]\ra=1\nb=2\r\n",     "[s]\r\na=1\r\r\nb=2", "\xEF\xBB\xBF[s]\r\na=1\r\nb=2\r\n",
    };
    for (const char* fixture : fixtures) {
        CLynIni ini = Open(fixture);
        EXPECT_EQ(ini.GetValue("s", "a"), "1") << fixture;
        EXPECT_EQ(ini.GetValue("s", "b"), "2") << fixture;
        EXPECT_EQ(ReadSections(ini), std::vector<std::string>{"s"}) << fixture;
    }
}

TEST_F(LynIniTest, SetValueChangesOnlyWhatItMust) {
    struct Case {
        const char* before;
        const char* section;
        const char* key;
        const char* value;
        const char* after;
        const char* read;  // GetValue afterwards
    };
    const Case cases[] = {
        // The key keeps its spelling and spacing; comments and blank lines stay.
        {"; c\r\n[A]\r\n  a = 1  \r\n\r\n[B]\r\nb=2\r\n", "A", "a", "new",
         "; c\r\n[A]\r\n  a = new\r\n\r\n[B]\r\nb=2\r\n", "new"},
        {"; c\r\n[A]\r\n  a = 1  \r\n\r\n[B]\r\nb=2\r\n", "a", "N", "1",
         "; c\r\n[A]\r\n  a = 1  \r\nN=1\r\n\r\n[B]\r\nb=2\r\n", "1"},
        {"[A]\r\nx=1\r\n; about B\r\n[B]\r\n", "A", "y", "2", "[A]\r\nx=1\r\ny=2\r\n; about B\r\n[B]\r\n", "2"},
        {"[A]\r\nx=1\r\n", "a", "X", "2", "[A]\r\nx=2\r\n", "2"},
        {"[A]\r\n", "A", "k", "v", "[A]\r\nk=v\r\n", "v"},
        {"", "A", "k", "v", "[A]\r\nk=v\r\n", "v"},
        // New lines take the file's own line end.
        {"[A]\nx=1\n", "A", "y", "2", "[A]\nx=1\ny=2\n", "2"},
        {"[A]\nx=1\n", "B", "y", "2", "[A]\nx=1\n[B]\ny=2\n", "2"},
        {"[A]\rx=1\r", "A", "y", "2", "[A]\rx=1\ry=2\r", "2"},
        // A file without a final line end.
        {"[A]\r\nx=1", "A", "y", "2", "[A]\r\nx=1\r\ny=2", "2"},
        {"[A]\r\nx=1", "B", "y", "2", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n", "2"},
        // A line without '=' is the key it names.
        {"[A]\r\nbare  \r\nz=0\r\n", "A", "bare", "v", "[A]\r\nbare=v\r\nz=0\r\n", "v"},
        // Above the first section.
        {"; head\r\n[A]\r\n", "", "k", "v", "k=v\r\n; head\r\n[A]\r\n", "v"},
        {"\xEF\xBB\xBF[A]\r\n", "", "k", "v", "\xEF\xBB\xBFk=v\r\n[A]\r\n", "v"},
        // The first of two sections of one name is written.
        {"[A]\r\nx=1\r\n[A]\r\nz=9\r\n", "A", "z", "zz", "[A]\r\nx=1\r\nz=zz\r\n[A]\r\nz=9\r\n", "zz"},
        // Blanks around the value go; quotes are stored and read back without.
        {"[A]\r\n", "A", "q", "  \" x \"  ", "[A]\r\nq=\" x \"\r\n", " x "},
        {"[中文]\r\n键=旧\r\n", "中文", "键", "新的值", "[中文]\r\n键=新的值\r\n", "新的值"},
        {"[中文]\r\n", "新节", "名", "值", "[中文]\r\n[新节]\r\n名=值\r\n", "值"},
    };
    for (const Case& c : cases) {
        CLynIni ini = Open(c.before);
        EXPECT_EQ(ini.SetValue(c.section, c.key, c.value, true), 0) << c.before;
        EXPECT_EQ(FileText(), c.after) << c.before;
        EXPECT_EQ(ini.GetValue(c.section, c.key), c.read) << c.before;
    }
}

TEST_F(LynIniTest, WithoutCreateOnlyKeysThatHaveAValueAreWritten) {
    const std::string fixture = "[A]\r\nx=1\r\nbare\r\n";
    CLynIni ini = Open(fixture);
    EXPECT_EQ(ini.SetValue("A", "missing", "v", false), kLynIniNotWritten);
    EXPECT_EQ(ini.SetValue("B", "x", "v", false), kLynIniNotWritten);
    EXPECT_EQ(ini.SetValue("A", "bare", "v", false), kLynIniNotWritten);
    EXPECT_EQ(FileText(), fixture);

    EXPECT_EQ(ini.SetValue("A", "x", "1", false), 0);  // unchanged: nothing to write
    EXPECT_EQ(FileText(), fixture);
    EXPECT_EQ(ini.SetValue("a", "X", "2", false), 0);
    EXPECT_EQ(FileText(), "[A]\r\nx=2\r\nbare\r\n");
}

TEST_F(LynIniTest, TextsThatWouldReadBackAsOtherLinesAreRefused) {
    struct Case {
        std::string section;
        std::string key;
        std::string value;
    };
    const Case cases[] = {
        {"A", "k", "1\r\n[evil]\r\nload=1"},
        {"A", "k", "1\nload=1"},
        {"A", "k", std::string("1\0x", 3)},
        {"A\r\nB", "k", "1"},
        {"A", "load=1;k", "1"},  // would read as key "load"
        {"A", "[B]", "1"},       // would read as a section
        {"A", " ;k", "1"},       // would read as a comment
        {"A", "k\nx", "1"},
    };
    const std::string fixture = "[A]\r\nload=0\r\n";
    CLynIni ini = Open(fixture);
    for (const Case& c : cases) {
        EXPECT_EQ(ini.SetValue(c.section, c.key, c.value, true), kInvalidParameter) << c.key << "=" << c.value;
    }
    EXPECT_EQ(FileText(), fixture);
}

TEST_F(LynIniTest, DeletionsRemoveOnlyTheirLines) {
    enum class Op { kSection, kKey };
    struct Case {
        const char* before;
        Op op;
        const char* section;
        const char* key;
        const char* after;
    };
    const Case cases[] = {
        {"; c\r\n[A]\r\nx=1\r\n\r\n[B]\r\nb=2\r\n", Op::kSection, "a", "", "; c\r\n[B]\r\nb=2\r\n"},
        {"[A]\r\nx=1\r\n[B]\r\n[A]\r\nz=9\r\n", Op::kSection, "A", "", "[B]\r\n[A]\r\nz=9\r\n"},
        {"[A]\r\nx=1\r\n", Op::kSection, "B", "", "[A]\r\nx=1\r\n"},
        {"[A]\r\nx=1\r\ny=2\r\n", Op::kKey, "A", "X", "[A]\r\ny=2\r\n"},
        {"[A]\nx=1\ny=2", Op::kKey, "A", "y", "[A]\nx=1\n"},
        {"[A]\r\nbare\r\n", Op::kKey, "A", "bare", "[A]\r\n"},
        {"[A]\r\nx=1\r\nx=2\r\n", Op::kKey, "A", "x", "[A]\r\nx=2\r\n"},
        // A key of a later section of the same name is found too.
        {"[A]\r\nx=1\r\n[A]\r\nz=9\r\n", Op::kKey, "A", "z", "[A]\r\nx=1\r\n[A]\r\n"},
        {"[A]\r\n;x=1\r\n", Op::kKey, "A", ";x", "[A]\r\n;x=1\r\n"},
        {"[A]\r\nx=1\r\n", Op::kKey, "B", "x", "[A]\r\nx=1\r\n"},
        {"[中文]\r\n键=值\r\n其他=1\r\n", Op::kKey, "中文", "键", "[中文]\r\n其他=1\r\n"},
    };
    for (const Case& c : cases) {
        CLynIni ini = Open(c.before);
        EXPECT_EQ(c.op == Op::kSection ? ini.DelSection(c.section) : ini.DelKey(c.section, c.key), 0) << c.before;
        EXPECT_EQ(FileText(), c.after) << c.before;
    }
}

TEST_F(LynIniTest, DelAllSectionsRemovesEveryNamedSectionAtOnce) {
    // More sections than one name list holds: all of them go.
    std::string fixture = "; head\r\ntop=1\r\n";
    for (int i = 0; i < 300; ++i) {
        fixture += "[section" + std::to_string(i) + "]\r\nk=v\r\n";
    }
    CLynIni ini = Open(fixture);
    EXPECT_EQ(ini.DelAllSections(), 0);
    EXPECT_EQ(FileText(), "; head\r\ntop=1\r\n");
    EXPECT_EQ(ReadSections(ini), std::vector<std::string>{""});
    EXPECT_EQ(ini.DelAllSections(), 0);
}

TEST_F(LynIniTest, GetSectionsListsWholeNamesInFileOrder) {
    const std::string name2045(2045, 'n');
    const std::string name2046(2046, 'n');
    struct Case {
        std::string fixture;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"", {""}},
        {"top=1\r\n", {""}},
        {"[A]\r\n[B]\r\n", {"A", "B"}},
        {"k=1\r\n[A]\r\n[]\r\n[ b ]\r\n[a]\r\n[中文]\r\n", {"A", "b", "a", "中文"}},
        // The list holds a name, its zero byte and the list's closing zero in 2047 bytes.
        {"[" + name2045 + "]\r\n", {name2045}},
        {"[" + name2046 + "]\r\n", {""}},
        {"[A]\r\n[" + name2046.substr(2) + "]\r\n", {"A"}},
    };
    for (const Case& c : cases) {
        CLynIni ini = Open(c.fixture);
        EXPECT_EQ(ReadSections(ini), c.expected) << c.fixture.substr(0, 40);
    }

    // Many names: as many whole ones as fit, never a cut one.
    std::string many;
    for (int i = 0; i < 300; ++i) {
        many += "[sect" + std::to_string(1000 + i) + "]\r\n";  // 8 bytes a name
    }
    CLynIni ini = Open(many);
    std::vector<std::string> names = ReadSections(ini);
    ASSERT_EQ(names.size(), 227u);  // 227 * 9 + 1 = 2044; one more would pass 2047
    EXPECT_EQ(names.back(), "sect1226");
}

TEST_F(LynIniTest, GetKeyValuesSplitsEachLineAtItsFirstEquals) {
    CLynIni ini = Open(
        "[S]\r\n"
        "a=b=c\r\n"
        "  spaced  =  out  \r\n"
        "bare line\r\n"
        "; comment\r\n"
        "\r\n"
        "q=\"kept\"\r\n"
        "dup=1\r\n"
        "dup=2\r\n"
        "=nameless\r\n"
        "键=值\r\n"
        "[Empty]\r\n"
        "; only a comment\r\n");
    KeyValues read = ReadKeyValues(ini, "s");
    EXPECT_EQ(read.keys, (std::vector<std::string>{"a", "spaced", "", "q", "dup", "dup", "", "键"}));
    EXPECT_EQ(read.values,
              (std::vector<std::string>{"b=c", "out", "bare line", "\"kept\"", "1", "2", "nameless", "值"}));

    for (const char* section : {"Empty", "Missing"}) {
        read = ReadKeyValues(ini, section);
        EXPECT_EQ(read.keys, std::vector<std::string>{""}) << section;
        EXPECT_EQ(read.values, std::vector<std::string>{""}) << section;
    }
}

TEST_F(LynIniTest, GetKeyValuesListsWholeLinesWithinItsRoom) {
    // "k=" + value, its zero byte and the list's closing zero: 6000 bytes fit.
    const std::string fits(5996, 'v');
    CLynIni ini = Open("[A]\r\nk=" + fits + "\r\n[B]\r\nk=" + fits + "v\r\n");
    KeyValues read = ReadKeyValues(ini, "A");
    EXPECT_EQ(read.values, std::vector<std::string>{fits});
    read = ReadKeyValues(ini, "B");
    EXPECT_EQ(read.values, std::vector<std::string>{""});

    std::string many = "[S]\r\n";
    for (int i = 0; i < 700; ++i) {
        many += "key" + std::to_string(1000 + i) + "=v\r\n";  // 9 bytes a line
    }
    ini = Open(many);
    read = ReadKeyValues(ini, "S");
    ASSERT_EQ(read.keys.size(), 599u);  // 599 * 10 + 1 = 5991; one more would pass 6000
    EXPECT_EQ(read.keys.back(), "key1598");
}

TEST_F(LynIniTest, LongValuesAreCutBetweenCharacters) {
    std::string chinese;
    for (int i = 0; i < 200; ++i) {
        chinese += "中";
    }
    CLynIni ini = Open("[L]\r\nascii=" + std::string(300, 'a') + "\r\nquoted=\"" + std::string(300, 'q') +
                       "\"\r\nchinese=" + chinese + "\r\nodd=x" + chinese + "\r\n");
    EXPECT_EQ(ini.GetValue("L", "ascii"), std::string(259, 'a'));
    EXPECT_EQ(ini.GetValue("L", "quoted"), std::string(259, 'q'));
    EXPECT_EQ(ini.GetValue("L", "chinese"), chinese.substr(0, 258));
    EXPECT_EQ(ini.GetValue("L", "odd"), "x" + chinese.substr(0, 258));
}

TEST_F(LynIniTest, LongNamesAreKeptWhole) {
    // Section names and key lines past 255 bytes are read and written in full.
    const std::string section(300, 's');
    const std::string key = std::string(400, 'k') + "中";
    CLynIni ini = Open("[" + section + "]\r\n" + key + "=1\r\n");
    EXPECT_EQ(ini.GetValue(section, key), "1");
    EXPECT_EQ(ini.GetValue(section, key.substr(0, 255)), "");
    EXPECT_EQ(ini.SetValue(section, key + "2", "2", true), 0);
    EXPECT_EQ(ini.GetValue(section, key + "2"), "2");
    EXPECT_EQ(ReadSections(ini), std::vector<std::string>{section});
}

TEST_F(LynIniTest, SetFileNameMakesAMissingFileAndKeepsAnExistingOne) {
    CLynIni ini;
    const std::string created = PathOf("配置.ini");
    EXPECT_EQ(ini.SetFileName(created), 1);
    EXPECT_EQ(ini.GetFileName(), created);
    EXPECT_EQ(Contents(created), "");
    EXPECT_EQ(ReadSections(ini), std::vector<std::string>{""});
    EXPECT_EQ(ini.SetValue("节", "键", "值", true), 0);
    EXPECT_EQ(Contents(created), "[节]\r\n键=值\r\n");

    const std::string existing = WriteFile("existing.ini", "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.SetFileName(existing), 1);
    EXPECT_EQ(Contents(existing), "[A]\r\nx=1\r\n");
    EXPECT_EQ(ini.GetValue("A", "x"), "1");

    // A file that cannot be made: the path is not taken.
    EXPECT_EQ(ini.SetFileName(PathOf("no folder/x.ini")), 0);
    EXPECT_EQ(ini.GetFileName(), existing);
}

TEST_F(LynIniTest, FailedWritesReportTheSystemError) {
    CLynIni ini = Open("[A]\r\nx=1\r\n");
    std::filesystem::remove(PathOf("test.ini"));
    std::filesystem::create_directories(PathOf("test.ini"));  // a folder where the file was
    for (int result :
         {ini.SetValue("A", "x", "2", true), ini.DelSection("A"), ini.DelKey("A", "x"), ini.DelAllSections()}) {
        EXPECT_NE(result, 0);
        EXPECT_NE(result, kLynIniNotWritten);
    }
    EXPECT_TRUE(std::filesystem::is_directory(PathOf("test.ini")));

    CLynIni nowhere = ini;
    std::filesystem::remove_all(PathOf("test.ini"));
    std::filesystem::create_directories(PathOf("gone"));
    ASSERT_EQ(nowhere.SetFileName(PathOf("gone/test.ini")), 1);
    std::filesystem::remove_all(PathOf("gone"));
    EXPECT_NE(nowhere.SetValue("A", "x", "2", true), 0);
    EXPECT_EQ(nowhere.GetValue("A", "x"), "");
}

TEST_F(LynIniTest, CopiesAndOtherObjectsShareTheFile) {
    CLynIni first = Open("");
    CLynIni copy(first);
    CLynIni assigned;
    assigned = first;
    EXPECT_EQ(copy.GetFileName(), first.GetFileName());
    EXPECT_EQ(copy.SetValue("A", "x", "1", true), 0);
    EXPECT_EQ(assigned.SetValue("A", "y", "2", true), 0);
    EXPECT_EQ(first.GetValue("A", "x"), "1");
    EXPECT_EQ(first.GetValue("A", "y"), "2");
}
