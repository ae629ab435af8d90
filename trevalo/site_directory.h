#pragma once

// The navigation mode's directory of sites: four categories, each read from
// the INI file Trevalo\Data\<category>.ini. A type-1 file lists its sites in
// [DATA] (name = address); a type-2 file has one group per section after the
// first, whatever the first is called, each listing its sites.

#include <array>
#include <string>
#include <vector>

// Shown in this order as the tree's top-level nodes.
inline constexpr std::array<const char*, 4> kCategoryNames = {"搜索引擎", "名站导航", "实用酷站", "工具服务"};

struct SiteGroup {
    std::string name;
    std::vector<std::string> sites;

    bool operator==(const SiteGroup&) const = default;
};

// A category's tree below its node: a type-1 file gives `sites`, a type-2
// file `groups`; any other type (or a missing file, made empty) neither.
struct SiteCategory {
    std::string name;
    std::vector<std::string> sites;
    std::vector<SiteGroup> groups;
};

// <dataFolder>\<category>.ini
std::string CategoryFile(const std::string& dataFolder, const std::string& category);

// Reads category `index` (0..3 of kCategoryNames), making its file empty
// when it is missing.
SiteCategory ReadSiteCategory(const std::string& dataFolder, std::size_t index);

// The address of the tree item whose texts from the top are `itemPath`:
// {category, site} for a type-1 site, {category, group, site} for a type-2
// one. Empty for any other length or when the file holds no address.
std::string FindSiteAddress(const std::string& dataFolder, const std::vector<std::string>& itemPath);
