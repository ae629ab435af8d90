// The same operations on copies of the same files, once through CLynIni and
// once through the Windows profile functions (GetPrivateProfileStringA and
// kin) used the way CLynIni's operations are defined on top of them. Results
// must agree, and after the operations both files must read the same -
// through either reader, so the platform also reads our writes as we do.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/lyn_ini.h"
#include "toolkit/tests/test_folder.h"

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The operations under comparison, as both implementations offer them.
class IniUnderTest {
public:
    virtual ~IniUnderTest() = default;
    virtual std::string Get(const std::string& section, const std::string& key) = 0;
    virtual int Set(const std::string& section, const std::string& key, const std::string& value, bool create) = 0;
    virtual int DelSection(const std::string& section) = 0;
    virtual int DelKey(const std::string& section, const std::string& key) = 0;
    virtual int DelAll() = 0;
    virtual std::vector<std::string> Sections() = 0;
    virtual Pairs KeyValues(const std::string& section) = 0;
};

class OurIni : public IniUnderTest {
public:
    explicit OurIni(const std::string& path) { EXPECT_EQ(ini_.SetFileName(path), 1); }
    std::string Get(const std::string& section, const std::string& key) override { return ini_.GetValue(section, key); }
    int Set(const std::string& section, const std::string& key, const std::string& value, bool create) override {
        return ini_.SetValue(section, key, value, create);
    }
    int DelSection(const std::string& section) override { return ini_.DelSection(section); }
    int DelKey(const std::string& section, const std::string& key) override { return ini_.DelKey(section, key); }
    int DelAll() override { return ini_.DelAllSections(); }
    std::vector<std::string> Sections() override {
        std::vector<std::string> names;
        ini_.GetSections(names);
        return names;
    }
    Pairs KeyValues(const std::string& section) override {
        std::vector<std::string> keys;
        std::vector<std::string> values;
        ini_.GetKeyValues(keys, values, section);
        Pairs pairs;
        for (std::size_t i = 0; i < keys.size() && i < values.size(); ++i) {
            pairs.emplace_back(keys[i], values[i]);
        }
        return pairs;
    }

private:
    CLynIni ini_;
};

// Splits a zero-separated list the way CLynIni's list operations are defined:
// the list ends at the first zero followed by another (looked for in the first
// `room` - 1 positions), and every piece up to and including that first zero
// is taken.
std::vector<std::string> SplitList(const std::vector<char>& buffer) {
    std::size_t end = 0;
    while (end + 1 < buffer.size() && !(buffer[end] == 0 && buffer[end + 1] == 0)) {
        ++end;
    }
    std::vector<std::string> pieces;
    std::string piece;
    for (std::size_t i = 0; i <= end && i < buffer.size(); ++i) {
        if (buffer[i] == 0) {
            pieces.push_back(piece);
            piece.clear();
        } else {
            piece += buffer[i];
        }
    }
    return pieces;
}

class ProfileIni : public IniUnderTest {
public:
    explicit ProfileIni(std::string path) : path_(std::move(path)) {}
    std::string Get(const std::string& section, const std::string& key) override {
        char buffer[260] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer, sizeof buffer, path_.c_str());
        return buffer;
    }
    int Set(const std::string& section, const std::string& key, const std::string& value, bool create) override {
        if (!create) {
            static const char kAbsent[] = "!*&*none-value*&!*";
            char buffer[260] = {};
            GetPrivateProfileStringA(section.c_str(), key.c_str(), kAbsent, buffer, sizeof buffer, path_.c_str());
            if (std::string(buffer) == kAbsent) {
                return 1;
            }
        }
        return Result(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path_.c_str()));
    }
    int DelSection(const std::string& section) override {
        return Result(WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, path_.c_str()));
    }
    int DelKey(const std::string& section, const std::string& key) override {
        return Result(WritePrivateProfileStringA(section.c_str(), key.c_str(), nullptr, path_.c_str()));
    }
    int DelAll() override {
        for (const std::string& name : Sections()) {
            if (int error = DelSection(name); error != 0) {
                return error;
            }
        }
        return 0;
    }
    std::vector<std::string> Sections() override {
        std::vector<char> buffer(2048, 0);
        GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
        return SplitList(buffer);
    }
    Pairs KeyValues(const std::string& section) override {
        std::vector<char> buffer(6000, 0);
        GetPrivateProfileSectionA(section.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()), path_.c_str());
        Pairs pairs;
        for (const std::string& line : SplitList(buffer)) {
            std::size_t equals = line.find('=');
            if (equals == std::string::npos) {
                pairs.emplace_back("", line);
            } else {
                pairs.emplace_back(line.substr(0, equals), line.substr(equals + 1));
            }
        }
        return pairs;
    }

private:
    static int Result(BOOL ok) { return ok ? 0 : static_cast<int>(GetLastError()); }
    std::string path_;
};

// Everything a reader can see of a file: the section list, and each listed
// section's lines and the value of each of their keys. The lines above the
// first section count as a section named "".
std::string Snapshot(IniUnderTest& ini) {
    std::ostringstream out;
    std::vector<std::string> sections = ini.Sections();
    sections.insert(sections.begin(), "");
    for (const std::string& section : sections) {
        out << "[" << section << "]\n";
        for (const auto& [key, value] : ini.KeyValues(section)) {
            out << "  " << key << "=" << value << " -> " << ini.Get(section, key) << "\n";
        }
    }
    return out.str();
}

enum class Op { kGet, kSet, kSetExisting, kDelSection, kDelKey, kDelAll, kSections, kKeyValues };

struct Step {
    Op op;
    std::string section;
    std::string key;
    std::string value;
};

struct Case {
    const char* name;
    std::string fixture;
    std::vector<Step> steps;
};

// One step on one implementation, as text to compare.
std::string RunStep(IniUnderTest& ini, const Step& step) {
    std::ostringstream out;
    switch (step.op) {
        case Op::kGet:
            out << ini.Get(step.section, step.key);
            break;
        case Op::kSet:
            out << ini.Set(step.section, step.key, step.value, true);
            break;
        case Op::kSetExisting:
            out << ini.Set(step.section, step.key, step.value, false);
            break;
        case Op::kDelSection:
            out << ini.DelSection(step.section);
            break;
        case Op::kDelKey:
            out << ini.DelKey(step.section, step.key);
            break;
        case Op::kDelAll:
            out << ini.DelAll();
            break;
        case Op::kSections:
            for (const std::string& name : ini.Sections()) {
                out << "<" << name << ">";
            }
            break;
        case Op::kKeyValues:
            for (const auto& [key, value] : ini.KeyValues(step.section)) {
                out << "<" << key << "|" << value << ">";
            }
            break;
    }
    return out.str();
}

Step Get(std::string section, std::string key) {
    return {Op::kGet, std::move(section), std::move(key), ""};
}
Step Set(std::string section, std::string key, std::string value) {
    return {Op::kSet, std::move(section), std::move(key), std::move(value)};
}
Step SetExisting(std::string section, std::string key, std::string value) {
    return {Op::kSetExisting, std::move(section), std::move(key), std::move(value)};
}
Step DelSection(std::string section) {
    return {Op::kDelSection, std::move(section), "", ""};
}
Step DelKey(std::string section, std::string key) {
    return {Op::kDelKey, std::move(section), std::move(key), ""};
}
Step DelAll() {
    return {Op::kDelAll, "", "", ""};
}
Step Sections() {
    return {Op::kSections, "", "", ""};
}
Step KeyValues(std::string section) {
    return {Op::kKeyValues, std::move(section), "", ""};
}

std::string Repeat(std::string_view text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) {
        out += text;
    }
    return out;
}

std::vector<Case> ComparisonCases() {
    const std::string quotes =
        "[S]\r\n  plain  =  v1  \r\n\tq1\t=\t\"q v\"\t\r\nq2='x'\r\nq3=\"x'\r\nq4=\"\r\nq5=\"\"\r\n"
        "q6 = \" a \" \r\nq7=  '  x  '  \r\nq8='a' 'b'\r\neq=a=b=c\r\nws=\x0B\x0C v \x1A\r\n=nameless\r\n";
    return {
        {"quotes and blanks",
         quotes,
         {Get("S", "plain"), Get("S", "q1"), Get("S", "q2"), Get("S", "q3"), Get("S", "q4"), Get("S", "q5"),
          Get("S", "q6"), Get("S", "q7"), Get("S", "q8"), Get("S", "eq"), Get("S", "ws"), Get("S", ""), KeyValues("S"),
          Set("S", "q1", "  \" new \"  "), Get("S", "q1"), Set("S", "added", "'x'"), Get("S", "added")}},
        {"names without case and blanks",
         "[Main]\r\nPlain=1\r\n",
         {Get("main", "PLAIN"), Get(" Main\t", " plain "), Set("MAIN", "plain", "2"), Get("Main", "Plain"),
          Set(" main ", " New ", "3"), Get("MAIN", "new"), DelKey("MAIN", "NEW"), KeyValues("main")}},
        {"GBK names and values",
         "[中文节]\r\n键=　值　\r\n[ＡＢ]\r\nk=1\r\n[\x81\x41]\r\n\x81\x41=trail\r\n",
         {Get("中文节", "键"), Get("ａｂ", "k"), Get("ＡＢ", "k"), Get("\x81\x61", "\x81\x41"),
          Get("\x81\x41", "\x81\x61"), Get("\x81\x41", "\x81\x41"), Set("中文节", "新键", "新的值"),
          Set("中文节", "键", "改了"), Set("\x81\x61", "k", "another section"), Sections(), KeyValues("中文节")}},
        {"LF line ends",
         "[A]\nx=1\n\n[B]\ny=2\n",
         {Get("A", "x"), Set("A", "n", "1"), Set("C", "c", "3"), Set("B", "y", "changed"), Sections()}},
        {"CR line ends", "[A]\rx=1\r[B]\ry=2\r", {Get("B", "y"), Set("A", "n", "1"), Set("C", "c", "3"), Sections()}},
        {"mixed line ends",
         "[A]\ra=1\nb=2\r\n[B]\rc=3\nr=1\r\r\ns=2",
         {Get("A", "b"), Get("B", "s"), KeyValues("B"), Set("B", "t", "3"), Set("A", "a", "x")}},
        {"no final line end", "[A]\r\nx=1", {Set("A", "y", "2"), Set("B", "z", "3")}},
        {"comments and blank lines",
         "; head\r\n[A]\r\n; about x\r\nx=1\r\n\r\n  ;indented=1\r\n; tail\r\n\r\n[B]\r\n#h=2\r\n",
         {KeyValues("A"), KeyValues("B"), Get("B", "#h"), Set("A", "n", "1"), DelKey("A", "x"), Sections()}},
        {"duplicate sections and keys",
         "[A]\r\nx=1\r\nx=2\r\n[B]\r\nb=1\r\n[a]\r\nx=3\r\nz=9\r\n",
         {Sections(), Get("A", "x"), Get("A", "z"), KeyValues("a"), Set("A", "z", "zz"), Set("A", "x", "one"),
          DelKey("A", "x"), DelKey("A", "x"), DelKey("A", "x"), DelSection("A"), Get("A", "z"), Sections()}},
        {"lines without equals",
         "[A]\r\nbare\r\nx=1\r\n",
         {Get("A", "bare"), KeyValues("A"), SetExisting("A", "bare", "v"), Set("A", "bare", "v"), Get("A", "bare"),
          KeyValues("A")}},
        {"lines above the first section",
         "; top\r\nlead=1\r\n[A]\r\nx=1\r\n",
         {Get("", "lead"), KeyValues(""), Set("", "second", "2"), Get("", "second"), Sections()}},
        {"odd headers",
         "[abc\r\nk=1\r\n[x] junk\r\nj=2\r\n  [y]  \r\ny=3\r\n[z]]\r\nz=4\r\n[w=1]\r\n[ ]\r\nsp=1\r\n[\tT\t]\r\nt=1\r\n"
         "[B] y=2\r\n[a=b\r\n[\x81\x5D\r\nafter=1\r\n",
         {Sections(), Get("", "k"), KeyValues(""), Get("x", "j"), Get("y", "y"), Get("z]", "z"), Get("T", "t"),
          Get("", "sp"), Get("B", "[a"), Get("B", "after"), KeyValues("B")}},
        {"create flag",
         "[A]\r\nx=1\r\n",
         {SetExisting("A", "missing", "v"), SetExisting("B", "x", "v"), SetExisting("A", "x", "1"),
          SetExisting("a", "X", "2"), Get("A", "x")}},
        {"empty file",
         "",
         {Sections(), KeyValues("A"), Get("A", "x"), DelAll(), DelSection("A"), DelKey("A", "x"), Set("A", "x", "1"),
          Sections()}},
        {"empty section",
         "[A]\r\n[B]\r\nb=1\r\n",
         {KeyValues("A"), KeyValues("missing"), Set("A", "a", "1"), KeyValues("A")}},
        {"delete all sections",
         "; head\r\ntop=1\r\n[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n",
         {DelAll(), Sections(), Get("", "top"), Get("A", "x")}},
        {"long values",
         "[L]\r\nascii=" + Repeat("abcdefghij", 30) + "\r\nchinese=" + Repeat("中", 200) + "\r\nodd=x" +
             Repeat("中", 200) + "\r\n",
         {Get("L", "ascii"), Get("L", "chinese"), Get("L", "odd")}},
        {"long names",
         "[" + Repeat("s", 300) + "]\r\n" + Repeat("k", 400) + "=1\r\n",
         {Get(Repeat("s", 300), Repeat("k", 400)), Sections(), Set(Repeat("s", 300), Repeat("n", 300), "2"),
          Get(Repeat("s", 300), Repeat("n", 300))}},
        {"lists that just fit",
         "[" + Repeat("n", 2045) + "]\r\n[L]\r\nk=" + Repeat("v", 5996) + "\r\n",
         {Sections(), KeyValues("L")}},
        {"byte order mark",
         "\xEF\xBB\xBF[A]\r\na=1\r\n",
         {Sections(), Get("A", "a"), Set("A", "b", "2"), Get("A", "b")}},
        {"deleting what is not there",
         "[A]\r\nx=1\r\n",
         {DelSection("B"), DelKey("A", "y"), DelKey("B", "x"), KeyValues("A")}},
    };
}

class ProfileComparisonTest : public TestFolder {};

}  // namespace

TEST_F(ProfileComparisonTest, CLynIniAgreesWithTheProfileFunctions) {
    int number = 0;
    for (const Case& c : ComparisonCases()) {
        SCOPED_TRACE(c.name);
        // Every case has files of its own: the platform caches files it has read.
        ++number;
        const std::string ours = WriteFile("ours" + std::to_string(number) + ".ini", c.fixture);
        const std::string platform = WriteFile("platform" + std::to_string(number) + ".ini", c.fixture);
        OurIni ourIni(ours);
        ProfileIni profileIni(platform);
        for (std::size_t i = 0; i < c.steps.size(); ++i) {
            EXPECT_EQ(RunStep(ourIni, c.steps[i]), RunStep(profileIni, c.steps[i])) << "step " << i;
        }
        ProfileIni profileOnOurs(ours);
        const std::string expected = Snapshot(profileIni);
        EXPECT_EQ(Snapshot(ourIni), expected);
        EXPECT_EQ(Snapshot(profileOnOurs), expected);
    }
}

TEST_F(ProfileComparisonTest, FullListsKeepWholeEntriesWhereThePlatformCutsOne) {
    std::string fixture;
    for (int i = 0; i < 300; ++i) {
        fixture += "[sect" + std::to_string(1000 + i) + "]\r\n";
    }
    fixture += "[S]\r\n";
    for (int i = 0; i < 700; ++i) {
        fixture += "key" + std::to_string(1000 + i) + "=v\r\n";
    }
    OurIni ours(WriteFile("ours.ini", fixture));
    ProfileIni platform(WriteFile("platform.ini", fixture));

    // The platform's last piece is the start of the next entry; ours stops before it.
    std::vector<std::string> platformNames = platform.Sections();
    std::vector<std::string> ourNames = ours.Sections();
    ASSERT_EQ(ourNames.size() + 1, platformNames.size());
    EXPECT_TRUE(std::equal(ourNames.begin(), ourNames.end(), platformNames.begin()));
    EXPECT_EQ(platformNames.back(), "sec");

    Pairs platformPairs = platform.KeyValues("S");
    Pairs ourPairs = ours.KeyValues("S");
    ASSERT_EQ(ourPairs.size() + 1, platformPairs.size());
    EXPECT_TRUE(std::equal(ourPairs.begin(), ourPairs.end(), platformPairs.begin()));
    EXPECT_EQ(platformPairs.back(), (std::pair<std::string, std::string>("key1599", "")));
}
