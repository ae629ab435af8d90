// libFuzzer target of the INI reader and writer: parse any bytes, read every
// section and key, then write one key and check that the write reads back and
// that no other section changed.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "toolkit/gbk_text.h"
#include "toolkit/ini_document.h"

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool SameEntries(const std::vector<IniEntry>& a, const std::vector<IniEntry>& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].name != b[i].name || a[i].value != b[i].value) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    IniDocument document(std::string(reinterpret_cast<const char*>(data), size));
    std::vector<std::string> names = document.SectionNames();
    names.emplace_back();  // the lines above the first header
    for (const std::string& name : names) {
        Check(!name.empty() || &name == &names.back());
        for (const IniEntry& entry : document.Entries(name)) {
            Check(entry.name.find_first_of("\r\n=") == std::string::npos);
            std::optional<std::string> value = document.Value(name, entry.name);
            (void)value;
        }
    }

    const std::string target = names.size() > 1 ? names.front() : "fuzz";
    std::vector<std::vector<IniEntry>> others;
    for (const std::string& name : names) {
        others.push_back(document.Entries(name));
    }
    document.SetValue(target, "fuzzkey", "written value");
    IniDocument reread(document.Text());
    Check(reread.Value(target, "fuzzkey") == std::optional<std::string>("written value"));
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!EqualsIgnoringAsciiCase(names[i], target)) {
            Check(SameEntries(reread.Entries(names[i]), others[i]));
        }
    }
    return 0;
}
