#include "site/lookup/lunar_year_name.h"

#include <string_view>

#include "widget/calendar/gregorian.h"

namespace {

// Stems indexed by (year - 4) mod 10, branches and animals by (year - 4) mod
// 12: lunar year 4 of the common era began a cycle (甲子), as did 1984.
constexpr std::string_view kStems[10] = {"甲", "乙", "丙", "丁", "戊", "己", "庚", "辛", "壬", "癸"};
constexpr std::string_view kBranches[12] = {"子", "丑", "寅", "卯", "辰", "巳", "午", "未", "申", "酉", "戌", "亥"};
constexpr std::string_view kAnimals[12] = {"鼠", "牛", "虎", "兔", "龙", "蛇", "马", "羊", "猴", "鸡", "狗", "猪"};

}  // namespace

std::string StemBranchOfYear(int lunarYear) {
    std::string name(kStems[gregorian_detail::FloorMod(lunarYear - 4, 10)]);
    name += kBranches[gregorian_detail::FloorMod(lunarYear - 4, 12)];
    return name;
}

std::string ZodiacOfYear(int lunarYear) {
    return std::string(kAnimals[gregorian_detail::FloorMod(lunarYear - 4, 12)]);
}
