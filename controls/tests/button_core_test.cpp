#include "controls/button_core.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "controls/button_skin.h"

namespace cmmctrls {
namespace {

struct Notice {
    std::uint32_t code;
    std::uint32_t wparam;
    std::int32_t lparam;
    friend bool operator==(const Notice&, const Notice&) = default;
};

// Records what it is told and answers with `answer`.
class Recorder : public ICallback {
public:
    explicit Recorder(int answer = 0) : answer_(answer) {}
    int on_call(std::uint32_t code, std::uint32_t wparam, std::int32_t lparam) override {
        notices.push_back({code, wparam, lparam});
        return answer_;
    }
    std::vector<Notice> notices;

private:
    int answer_;
};

constexpr std::uint32_t kId = 7;
constexpr Notice kClick = {kButtonClicked, kId, 0};
constexpr Notice kChange = {kButtonStateChanged, kId, 0};

using Event = CButtonCore::eMouseEvent;
using State = CButtonCore::eStates;

struct Step {
    Event event;
    unsigned keys;
    geometry::Point point;
    State after;
};

struct Sequence {
    const char* name;
    std::vector<Step> steps;
    std::vector<Notice> notices;
};

constexpr geometry::Point kInside = {5, 5};
constexpr geometry::Point kOutside = {-3, 50};

TEST(ButtonCore, StateMachineSequences) {
    const std::vector<Sequence> sequences = {
        {"press inside, drag out, release outside",
         {{Event::LeftButtonDown, kLeftButtonHeld, kInside, State::Pressed},
          {Event::MouseMove, kLeftButtonHeld, kOutside, State::Pressed},
          {Event::LeftButtonUp, 0, kOutside, State::Normal}},
         {kChange, kClick, kChange}},
        {"press and release inside",
         {{Event::LeftButtonDown, kLeftButtonHeld, kInside, State::Pressed},
          {Event::LeftButtonUp, 0, kInside, State::Hover}},
         {kChange, kClick, kChange}},
        {"press outside", {{Event::LeftButtonDown, kLeftButtonHeld, kOutside, State::Normal}}, {}},
        {"hover, then more moves inside",
         {{Event::MouseMove, 0, kInside, State::Hover}, {Event::MouseMove, 0, {6, 7}, State::Hover}},
         {kChange}},
        {"hover, then leave",
         {{Event::MouseMove, 0, kInside, State::Hover}, {Event::MouseLeave, 0, {}, State::Normal}},
         {kChange, kChange}},
        {"hover, then move out without a button",
         {{Event::MouseMove, 0, kInside, State::Hover}, {Event::MouseMove, 0, kOutside, State::Normal}},
         {kChange, kChange}},
        {"release without a press is no click",
         {{Event::MouseMove, 0, kInside, State::Hover}, {Event::LeftButtonUp, 0, kInside, State::Hover}},
         {kChange}},
        {"press, leave, release outside: the leave ended the press",
         {{Event::LeftButtonDown, kLeftButtonHeld, kInside, State::Pressed},
          {Event::MouseLeave, 0, {}, State::Normal},
          {Event::LeftButtonUp, 0, kOutside, State::Normal}},
         {kChange, kChange}},
        {"a held button entering from outside stays normal",
         {{Event::MouseMove, kLeftButtonHeld, kInside, State::Normal}},
         {}},
    };
    for (const Sequence& sequence : sequences) {
        SCOPED_TRACE(sequence.name);
        CButtonCore core;
        Recorder recorder;
        core.AddListener(&recorder);
        core.CreateCore(kId, "OK", {10, 20, 30, 40});
        for (const Step& step : sequence.steps) {
            core.OnMouseEvent(step.event, step.keys, step.point);
            EXPECT_EQ(core.GetStates(), step.after);
        }
        EXPECT_EQ(recorder.notices, sequence.notices);
    }
}

TEST(ButtonCore, HitRectangleIsTheButtonsOwnSize) {
    CButtonCore core;
    core.CreateCore(kId, "", {100, 200, 30, 40});
    for (auto [x, y, inside] :
         {std::tuple{0, 0, true}, {29, 39, true}, {30, 0, false}, {0, 40, false}, {-1, 5, false}, {100, 200, false}}) {
        EXPECT_EQ(core.IsPointInRect({x, y}), inside) << x << "," << y;
    }
}

TEST(ButtonCore, WithoutIdentifierInputIsIgnored) {
    CButtonCore core;
    Recorder recorder;
    core.AddListener(&recorder);
    EXPECT_FALSE(core.IsValid());
    core.SetBounds({0, 0, 30, 40});
    core.OnMouseEvent(Event::LeftButtonDown, kLeftButtonHeld, kInside);
    core.OnMouseEvent(Event::LeftButtonUp, 0, kInside);
    EXPECT_EQ(core.GetStates(), State::Normal);
    EXPECT_TRUE(recorder.notices.empty());
}

TEST(ButtonCore, StartsNormalEnabledVisible) {
    CButtonCore core;
    EXPECT_EQ(core.GetStates(), State::Normal);
    EXPECT_TRUE(core.IsEnable());
    EXPECT_TRUE(core.IsVisible());
    EXPECT_EQ(core.GetID(), 0u);
    EXPECT_TRUE(core.CreateCore(3, "文字", {1, 2, 3, 4}));
    EXPECT_EQ(core.GetText(), "文字");
    EXPECT_EQ(core.GetBounds(), (geometry::Rect{1, 2, 3, 4}));
}

TEST(Notifier, StopsAtTheFirstListenerThatHandles) {
    CNotifier notifier;
    Recorder first;
    Recorder handler(42);
    Recorder late;
    notifier.AddListener(&first);
    notifier.AddListener(&handler);
    notifier.AddListener(&late);
    EXPECT_EQ(notifier.notify(1, 2, -3), 42);
    EXPECT_EQ(first.notices, (std::vector<Notice>{{1, 2, -3}}));
    EXPECT_EQ(handler.notices.size(), 1u);
    EXPECT_TRUE(late.notices.empty());
}

TEST(Notifier, DuplicatesNullAndRemoval) {
    CNotifier notifier;
    Recorder twice;
    EXPECT_FALSE(notifier.AddListener(nullptr));
    EXPECT_TRUE(notifier.AddListener(&twice));
    EXPECT_TRUE(notifier.AddListener(&twice));
    EXPECT_EQ(notifier.notify(5, 0, 0), 0);
    EXPECT_EQ(twice.notices.size(), 2u);
    EXPECT_TRUE(notifier.RemoveListener(&twice));  // the first entry only
    notifier.notify(5, 0, 0);
    EXPECT_EQ(twice.notices.size(), 3u);
    EXPECT_TRUE(notifier.RemoveListener(&twice));
    EXPECT_FALSE(notifier.RemoveListener(&twice));
}

// A listener that takes another one off the list while it is told.
class Remover : public ICallback {
public:
    Remover(CNotifier& notifier, ICallback* victim) : notifier_(notifier), victim_(victim) {}
    int on_call(std::uint32_t, std::uint32_t, std::int32_t) override {
        notifier_.RemoveListener(victim_);
        return 0;
    }

private:
    CNotifier& notifier_;
    ICallback* victim_;
};

TEST(Notifier, AListenerRemovedDuringANotificationIsNotCalled) {
    CNotifier notifier;
    Recorder victim;
    Remover remover(notifier, &victim);
    notifier.AddListener(&remover);
    notifier.AddListener(&victim);
    notifier.notify(1, 0, 0);
    EXPECT_TRUE(victim.notices.empty());
}

TEST(ButtonSkin, PictureFollowsStateUnlessDisabled) {
    const ButtonSkinRects rects = {{0, 0, 16, 16}, {0, 16, 16, 16}, {0, 32, 16, 16}, {0, 48, 16, 16}};
    struct Case {
        bool enabled;
        std::vector<Step> steps;
        geometry::Rect expected;
    };
    const std::vector<Case> cases = {
        {true, {}, rects.normal},
        {true, {{Event::MouseMove, 0, kInside, State::Hover}}, rects.hover},
        {true, {{Event::LeftButtonDown, kLeftButtonHeld, kInside, State::Pressed}}, rects.pressed},
        {false, {{Event::MouseMove, 0, kInside, State::Hover}}, rects.disabled},
        {false, {{Event::LeftButtonDown, kLeftButtonHeld, kInside, State::Pressed}}, rects.disabled},
        {false, {}, rects.disabled},
    };
    for (const Case& c : cases) {
        CButtonCore core;
        core.CreateCore(kId, "", {0, 0, 16, 16});
        core.Enable(c.enabled);
        for (const Step& step : c.steps) {
            core.OnMouseEvent(step.event, step.keys, step.point);
        }
        EXPECT_EQ(SkinRectFor(core, rects), c.expected) << "state " << core.GetStates() << " enabled " << c.enabled;
    }
}

TEST(RepaintRequest, PacksPositionAndSizeIntoHalves) {
    const PackedRect packed = PackRepaintRect({10, 20, 30, 40});
    EXPECT_EQ(packed.wparam, 655380u);
    EXPECT_EQ(packed.lparam, 1966120);
    for (const geometry::Rect& rect :
         {geometry::Rect{10, 20, 30, 40}, geometry::Rect{-5, -7, 300, 1}, geometry::Rect{32767, -32768, 0, 65}}) {
        const PackedRect p = PackRepaintRect(rect);
        EXPECT_EQ(UnpackRepaintRect(p.wparam, p.lparam), rect);
    }
    // A negative y stays in its own half instead of spilling into x.
    EXPECT_EQ(PackRepaintRect({1, -1, 0, 0}).wparam, 0x0001FFFFu);
}

}  // namespace
}  // namespace cmmctrls
