#include "alarmclock/vector_map.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Map = vector_map<unsigned, std::string>;

std::vector<std::pair<unsigned, std::string>> Entries(const Map& map) {
    return {map.begin(), map.end()};
}

}  // namespace

TEST(VectorMap, OverwriteKeepsTheNumberAndRemoveRenumbers) {
    Map map;
    EXPECT_EQ(map.Insert(30, "c"), 0u);
    EXPECT_EQ(map.Insert(10, "a"), 1u);
    EXPECT_EQ(map.Insert(20, "b"), 2u);
    EXPECT_EQ(map.Insert(10, "A"), 1u);  // overwritten in place

    ASSERT_TRUE(map.Remove(30));
    EXPECT_EQ(Entries(map), (std::vector<std::pair<unsigned, std::string>>{{10, "A"}, {20, "b"}}));
    EXPECT_EQ(map.IndexOf(10), 0u);
    EXPECT_EQ(map.IndexOf(20), 1u);
    EXPECT_EQ(map.ValueAt(1), "b");
    EXPECT_EQ(map.KeyAt(0), 10u);
    // A new key after a removal takes the next free number, not the old one.
    EXPECT_EQ(map.Insert(30, "c"), 2u);
    ASSERT_NE(map.Find(30), nullptr);
    EXPECT_EQ(*map.Find(30), "c");
}

TEST(VectorMap, AbsentKeys) {
    Map map;
    map.Insert(1, "x");
    EXPECT_FALSE(map.Remove(2));
    EXPECT_EQ(map.Find(2), nullptr);
    EXPECT_EQ(map.IndexOf(2), std::nullopt);
    EXPECT_FALSE(map.Contains(2));
    ASSERT_TRUE(map.Remove(1));
    EXPECT_TRUE(map.empty());
    EXPECT_FALSE(map.Remove(1));
}

TEST(VectorMap, RemovingFromTheMiddleKeepsLookupsConsistent) {
    Map map;
    for (unsigned key : {5u, 0u, 3u, 1u, 4u, 2u}) {
        map.Insert(key, std::to_string(key));
    }
    map.Remove(1);
    map.Remove(4);
    for (std::size_t i = 0; i < map.size(); ++i) {
        EXPECT_EQ(map.IndexOf(map.KeyAt(i)), i);
        EXPECT_EQ(map.Find(map.KeyAt(i)), &map.ValueAt(i));
    }
}
