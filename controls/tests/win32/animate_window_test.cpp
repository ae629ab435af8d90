#include "controls/win32/animate_window.h"

#include <gtest/gtest.h>

#include <memory>

#include "testkit/win32/stopwatch.h"
#include "testkit/win32/window_helpers.h"

namespace cmmctrls {
namespace {

// A small pop-up to slide in and out, away from the other tests' windows.
HWND MakePopup() {
    return CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "popup", WS_POPUP | WS_BORDER, 900, 600, 120, 60, nullptr,
                           nullptr, nullptr, nullptr);
}

// Pumps this thread's messages until `window` is gone; milliseconds it took,
// or -1 when it was still there after `timeoutMs`.
long long WaitUntilDestroyed(HWND window, unsigned int timeoutMs) {
    testkit::Stopwatch watch;
    while (IsWindow(window)) {
        if (watch.Milliseconds() > timeoutMs) {
            return -1;
        }
        testkit::PumpMessages(10);
    }
    return watch.Milliseconds();
}

TEST(AnimateWindow, NeedsAWindow) {
    CAnimateWindow animator;
    EXPECT_EQ(animator.GetLifeTime(), 5000u);
    EXPECT_FALSE(animator.Animate(100, AW_SLIDE | AW_VER_NEGATIVE));
}

TEST(AnimateWindow, RemovesTheWindowAfterItsLifeTime) {
    CAnimateWindow animator;
    animator.SetLifeTime(300);
    for (int round = 0; round < 2; ++round) {
        // After a removal the animator takes the next window.
        HWND popup = MakePopup();
        ASSERT_NE(popup, nullptr);
        animator.AttachWindow(popup);
        ASSERT_TRUE(animator.Animate(50, AW_SLIDE | AW_VER_NEGATIVE));
        EXPECT_TRUE(IsWindowVisible(popup));
        const long long took = WaitUntilDestroyed(popup, 3000);
        EXPECT_GE(took, 250) << "round " << round;
        EXPECT_LE(took, 1500) << "round " << round;
        EXPECT_EQ(animator.GetAttachedWindow(), nullptr);
    }
}

TEST(AnimateWindow, WithoutLifeTimeTheWindowStays) {
    HWND popup = MakePopup();
    CAnimateWindow animator;
    animator.AttachWindow(popup);
    // A countdown of an earlier Animate does not outlive a later one
    // without life time.
    animator.SetLifeTime(200);
    ASSERT_TRUE(animator.Animate(10, AW_SLIDE | AW_VER_NEGATIVE));
    animator.SetLifeTime(0);
    ASSERT_TRUE(animator.Animate(10, AW_SLIDE | AW_VER_NEGATIVE));
    EXPECT_EQ(WaitUntilDestroyed(popup, 700), -1);
    EXPECT_TRUE(IsWindowVisible(popup));
    EXPECT_EQ(animator.GetAttachedWindow(), popup);
    DestroyWindow(popup);
}

TEST(AnimateWindow, ADestroyedAnimatorIsNotCalledBack) {
    HWND popup = MakePopup();
    {
        auto animator = std::make_unique<CAnimateWindow>();
        animator->AttachWindow(popup);
        animator->SetLifeTime(100);
        ASSERT_TRUE(animator->Animate(10, AW_SLIDE | AW_VER_NEGATIVE));
    }
    // Would call the freed animator if it were still registered.
    EXPECT_EQ(WaitUntilDestroyed(popup, 600), -1);
    DestroyWindow(popup);
}

TEST(AnimateWindow, AWindowDestroyedByItsOwnerIsLeftAlone) {
    CAnimateWindow animator;
    animator.SetLifeTime(100);
    HWND popup = MakePopup();
    animator.AttachWindow(popup);
    ASSERT_TRUE(animator.Animate(10, AW_SLIDE | AW_VER_NEGATIVE));
    DestroyWindow(popup);
    testkit::PumpMessages(400);
    EXPECT_EQ(animator.GetAttachedWindow(), nullptr);
}

}  // namespace
}  // namespace cmmctrls
