#include "hook/hook_registry.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

// Two registries over one block stand for two processes' views of it.
class HookRegistryTest : public testing::Test {
protected:
    HookSharedBlock block_ = {};
    HookRegistry sideProgram_{block_};
    HookRegistry loader_{block_};
};

const auto kAlive = [](const RegisteredWindow&) { return true; };
const auto kGone = [](const RegisteredWindow&) { return false; };

}  // namespace

TEST_F(HookRegistryTest, EachModeAnswersWithItsOwnLatestWindow) {
    // High bits set in both halves: the two must not bleed into each other.
    const RegisteredWindow first{0x80001234, 0xFFFFFFFC};
    const RegisteredWindow second{0x00010002, 42};
    const RegisteredWindow history{0xFFFFFFFF, 7};

    EXPECT_EQ(loader_.FindLive(SideWindowMode::kNavigation, kAlive), std::nullopt);
    sideProgram_.Register(SideWindowMode::kNavigation, first);
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kNavigation, kAlive), first);
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kHistory, kAlive), std::nullopt);

    sideProgram_.Register(SideWindowMode::kHistory, history);
    sideProgram_.Register(SideWindowMode::kNavigation, second);
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kNavigation, kAlive), second);
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kHistory, kAlive), history);

    sideProgram_.Register(SideWindowMode::kNavigation, {});
    EXPECT_EQ(loader_.Registered(SideWindowMode::kNavigation), std::nullopt);
    EXPECT_EQ(loader_.Registered(SideWindowMode::kHistory), history);
}

TEST_F(HookRegistryTest, StaleWindowIsClearedAndTheOtherModeKept) {
    const RegisteredWindow navigation{0x100, 1};
    const RegisteredWindow history{0x200, 2};
    sideProgram_.Register(SideWindowMode::kNavigation, navigation);
    sideProgram_.Register(SideWindowMode::kHistory, history);

    RegisteredWindow asked;
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kNavigation,
                               [&](const RegisteredWindow& window) {
                                   asked = window;
                                   return false;
                               }),
              std::nullopt);
    EXPECT_EQ(asked, navigation);
    EXPECT_EQ(loader_.Registered(SideWindowMode::kNavigation), std::nullopt);
    EXPECT_EQ(loader_.Registered(SideWindowMode::kHistory), history);
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kHistory, kAlive), history);
}

// A side program that starts and registers while the loader is finding the
// old window dead must not lose its registration.
TEST_F(HookRegistryTest, WindowRegisteredDuringTheLivenessCheckIsKept) {
    const RegisteredWindow dead{0x300, 3};
    const RegisteredWindow newer{0x400, 4};
    sideProgram_.Register(SideWindowMode::kHistory, dead);

    EXPECT_EQ(loader_.FindLive(SideWindowMode::kHistory,
                               [&](const RegisteredWindow&) {
                                   sideProgram_.Register(SideWindowMode::kHistory, newer);
                                   return false;
                               }),
              std::nullopt);
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kHistory, kAlive), newer);
}

TEST_F(HookRegistryTest, HistoryFlagIsSharedAndIndependentOfWindows) {
    EXPECT_FALSE(loader_.HistoryVisible());
    sideProgram_.SetHistoryVisible(true);
    sideProgram_.Register(SideWindowMode::kNavigation, {0x500, 5});
    EXPECT_TRUE(loader_.HistoryVisible());
    EXPECT_EQ(loader_.FindLive(SideWindowMode::kNavigation, kGone), std::nullopt);
    EXPECT_TRUE(loader_.HistoryVisible());
    sideProgram_.SetHistoryVisible(false);
    EXPECT_FALSE(loader_.HistoryVisible());
}
