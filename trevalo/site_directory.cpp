#include "trevalo/site_directory.h"

#include <algorithm>

#include "common/path_util.h"
#include "toolkit/lyn_ini.h"
#include "xml/xml_helper.h"

namespace {

constexpr char kConfigSection[] = "CONFIG";
constexpr char kTypeKey[] = "type";
constexpr char kFlatListSection[] = "DATA";
constexpr int kFlatList = 1;
constexpr int kGroupedList = 2;

// The site names of `section`, in file order. GetKeyValues reports a missing
// or empty section, and a line without '=', with an empty key: none of them
// is a site, and a nameless tree item could not be told apart.
std::vector<std::string> SitesOf(const CLynIni& file, const std::string& section) {
    std::vector<std::string> keys;
    std::vector<std::string> values;
    // The count it returns is the size of the lists.
    file.GetKeyValues(keys, values, section);
    std::erase(keys, std::string());
    return keys;
}

std::vector<SiteGroup> GroupsOf(const CLynIni& file) {
    std::vector<std::string> sections;
    // The count it returns is the size of the list.
    file.GetSections(sections);
    std::vector<SiteGroup> groups;
    // The first section is the file's settings, whatever it is called.
    for (std::size_t i = 1; i < sections.size(); ++i) {
        groups.push_back({sections[i], SitesOf(file, sections[i])});
    }
    return groups;
}

bool IsCategory(const std::string& name) {
    return std::any_of(kCategoryNames.begin(), kCategoryNames.end(),
                       [&name](const char* category) { return name == category; });
}

}  // namespace

std::string CategoryFile(const std::string& dataFolder, const std::string& category) {
    return JoinPath(dataFolder, category + ".ini");
}

SiteCategory ReadSiteCategory(const std::string& dataFolder, std::size_t index) {
    if (index >= kCategoryNames.size()) {
        return {};
    }
    SiteCategory category;
    category.name = kCategoryNames[index];
    CLynIni file;
    if (file.SetFileName(CategoryFile(dataFolder, category.name)) == 0) {
        return category;
    }
    switch (XML_Helper::String2Int(file.GetValue(kConfigSection, kTypeKey))) {
        case kFlatList:
            category.sites = SitesOf(file, kFlatListSection);
            break;
        case kGroupedList:
            category.groups = GroupsOf(file);
            break;
        default:
            break;
    }
    return category;
}

std::string FindSiteAddress(const std::string& dataFolder, const std::vector<std::string>& itemPath) {
    if (itemPath.size() != 2 && itemPath.size() != 3) {
        return {};
    }
    // Only the four categories have files; any other text must not name a
    // path outside the data folder.
    const std::string& category = itemPath.front();
    if (!IsCategory(category)) {
        return {};
    }
    CLynIni file;
    if (file.SetFileName(CategoryFile(dataFolder, category)) == 0) {
        return {};
    }
    const std::string section = itemPath.size() == 3 ? itemPath[1] : std::string(kFlatListSection);
    return file.GetValue(section, itemPath.back());
}
