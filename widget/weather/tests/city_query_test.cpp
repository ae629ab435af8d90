#include "widget/weather/city_query.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace {

struct Case {
    const char* name;
    std::string answer;
    std::string city;
};

// Test names from the cases' own names.
std::string CaseName(const testing::TestParamInfo<Case>& param) {
    return param.param.name;
}

// "菏" ends in the byte 0xCA and "兴" begins with 0xD0, so "菏兴" holds the
// two bytes of "市" across its characters' boundary.
const Case kCases[] = {
    {"CitySuffixRemoved", "<city>杭州市</city>", "杭州"},
    {"CityWithoutSuffixKept", "<city>深圳</city>", "深圳"},
    {"CityAbroadKept", "<city>东京</city>", "东京"},
    {"MunicipalitySuffixRemoved", "<city>北京市</city>", "北京"},
    {"EverySuffixRemoved", "<city>市石市</city>", "石"},
    {"BlanksAroundCityTrimmed", "<city> \t杭州市\r\n</city>", "杭州"},
    {"InsideOfAnAnswer",
     "<?xml version=\"1.0\" encoding=\"gb2312\"?><result><province>浙江省</province><city>杭州市</city></result>",
     "杭州"},
    {"CityBeforeProvince", "<city>深圳市</city><province>广东省</province>", "深圳"},
    {"NoCityTag", "<province>广东省</province>", "北京"},
    {"NoCityCloseTag", "<city>杭州市", "北京"},
    {"CityCloseTagOnlyBeforeOpen", "</city>杭州<city>", "北京"},
    {"StrayCloseTagBeforeCity", "</city><city>杭州</city>", "杭州"},
    {"EmptyAnswer", "", "北京"},
    {"EmptyCityTakesProvinceCapital", "<city></city><province>广东省</province>", "广州"},
    {"SuffixOnlyCityTakesProvinceCapital", "<city>市</city><province>广东省</province>", "广州"},
    {"BlankCityTakesProvinceCapital", "<city>  </city><province> 广东省 </province>", "广州"},
    {"ProvinceWithoutSuffix", "<city></city><province>内蒙古</province>", "呼和浩特"},
    {"MunicipalityAsProvince", "<city></city><province>上海市</province>", "上海"},
    {"AutonomousRegionFullName", "<city></city><province>新疆维吾尔自治区</province>", "乌鲁木齐"},
    {"SpecialRegionFullName", "<city></city><province>香港特别行政区</province>", "香港"},
    {"EmptyCityNoProvince", "<city></city>", "北京"},
    {"EmptyCityNoProvinceCloseTag", "<city></city><province>广东省", "北京"},
    {"EmptyCityUnknownProvince", "<city></city><province>火星</province>", "北京"},
    {"EmptyCityEmptyProvince", "<city></city><province>省</province>", "北京"},
    {"CharacterBoundaryIsNotACitySuffix", "<city>菏兴</city>", "菏兴"},
    {"SuffixAfterFalseMatchRemoved", "<city>菏兴市</city>", "菏兴"},
    {"LoneLeadByteBeforeTag", "\xB1<city>杭州</city>", "杭州"},
};

class CityFromQueryAnswerCases : public testing::TestWithParam<Case> {};

TEST_P(CityFromQueryAnswerCases, GivesTheCity) {
    EXPECT_EQ(CityFromQueryAnswer(GetParam().answer), GetParam().city);
}

INSTANTIATE_TEST_SUITE_P(Answers, CityFromQueryAnswerCases, testing::ValuesIn(kCases), CaseName);

TEST(CityFromQueryAnswer, HugeAnswersAreRead) {
    const std::string filler(8 << 20, '<');
    EXPECT_EQ(CityFromQueryAnswer(filler), "北京");
    EXPECT_EQ(CityFromQueryAnswer(filler + "<city>杭州市</city>" + filler), "杭州");
    EXPECT_EQ(CityFromQueryAnswer("<city>" + filler), "北京");
}

}  // namespace
