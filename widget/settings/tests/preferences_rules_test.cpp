#include "widget/settings/preferences_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "widget/settings/tests/scratch_folder.h"

namespace {

// Boxes in the order of the dialog: always on top, fixed position, click
// through, auto hide.
WindowBoxes Boxes(bool top, bool fixed, bool through, bool hide) {
    return {top, fixed, through, hide};
}

TEST(PreferencesRules, CoupledBoxesFollowTheClickedBox) {
    struct Case {
        const char* name;
        WindowBoxes afterToggle;  // the clicked box already shows its new state
        WindowBox clicked;
        WindowBoxes shown;
    };
    const Case cases[] = {
        {"ticking auto hide", Boxes(false, true, true, true), WindowBox::kAutoHide, Boxes(true, false, false, true)},
        {"clearing auto hide", Boxes(true, false, false, false), WindowBox::kAutoHide, Boxes(false, true, true, false)},
        {"clearing on top while hiding", Boxes(false, false, false, true), WindowBox::kAlwaysOnTop,
         Boxes(false, false, false, false)},
        {"ticking on top while hiding", Boxes(true, false, false, true), WindowBox::kAlwaysOnTop,
         Boxes(true, false, false, true)},
        {"ticking fixed while hiding", Boxes(true, true, false, true), WindowBox::kFixedPosition,
         Boxes(true, true, false, false)},
        {"clearing fixed while hiding", Boxes(true, false, true, true), WindowBox::kFixedPosition,
         Boxes(true, false, true, true)},
        {"ticking click-through while hiding", Boxes(true, false, true, true), WindowBox::kClickThrough,
         Boxes(true, false, true, false)},
        // Without auto hide the other boxes are independent.
        {"clearing on top", Boxes(false, true, true, false), WindowBox::kAlwaysOnTop, Boxes(false, true, true, false)},
        {"clearing fixed", Boxes(true, false, true, false), WindowBox::kFixedPosition, Boxes(true, false, true, false)},
        {"ticking click-through", Boxes(false, false, true, false), WindowBox::kClickThrough,
         Boxes(false, false, true, false)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ApplyBoxClick(c.afterToggle, c.clicked), c.shown) << c.name;
    }
}

TEST(PreferencesRules, BoxesMapToTheirOwnSettings) {
    WidgetSettings settings;
    settings.windowRect = {1, 2, 3, 4};
    settings.alpha = 77;
    settings.alwaysOnTop = 0;
    settings.fixedPosition = 2;  // any non-zero value is on
    settings.clickThrough = 0;
    settings.autoHide = 1;
    EXPECT_EQ(BoxesOf(settings), Boxes(false, true, false, true));

    CopyBoxes(Boxes(true, false, true, false), settings);
    WidgetSettings expected = settings;
    expected.alwaysOnTop = 1;
    expected.fixedPosition = 0;
    expected.clickThrough = 1;
    expected.autoHide = 0;
    EXPECT_EQ(settings, expected);
    EXPECT_EQ(settings.alpha, 77);
    EXPECT_EQ(settings.windowRect, (ScreenRect{1, 2, 3, 4}));
}

// module.ini stores Alt 1, Control 2, Shift 4; the control shows Shift 1,
// Control 2, Alt 4.
TEST(PreferencesRules, ModifierBitsConvertBetweenFileAndControl) {
    const std::pair<unsigned, unsigned> storedAndShown[] = {
        {0, 0}, {1, 4}, {2, 2}, {4, 1}, {3, 6}, {5, 5}, {6, 3}, {7, 7},
    };
    for (const auto& [stored, shown] : storedAndShown) {
        EXPECT_EQ(StoredToControlModifiers(stored), shown) << stored;
        EXPECT_EQ(ControlToStoredModifiers(shown), stored) << shown;
    }
    // The Windows key (stored 8) and the control's extended-key flag (8)
    // have no counterpart: an arrow key must not come back needing Windows.
    EXPECT_EQ(StoredToControlModifiers(8 | 2), 2u);
    EXPECT_EQ(ControlToStoredModifiers(8 | 1), 4u);
}

TEST(PreferencesRules, DecimalValues) {
    const std::pair<const char*, unsigned> cases[] = {
        {"68", 68},
        {"007", 7},
        {"", 0},
        {"abc", 0},
        {"-3", 0},
        {"12abc", 12},
        {"4294967295", 4294967295u},
        {"4294967296", 0},
        {"99999999999999999999", 0},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseDecimalValue(text), value) << text;
    }
}

using ModuleIniHotKeys = ScratchFolder;

TEST_F(ModuleIniHotKeys, EverySectionWithAKeySetIsFoundInFileOrder) {
    const std::string longSection(70, 's');
    const std::string gbkSection = std::string(63, 'g') + "日";  // the character would end at byte 65
    const std::string text =
        "[qvcalendar.dll]\r\nload=1\r\nskins=SkinsDefault\r\nwModifiers=3\r\nwVirtualKeyCode=68\r\n"
        "[weather.dll]\r\nload=0\r\n"
        "[cleared.dll]\r\nwModifiers=0\r\nwVirtualKeyCode=0\r\n"
        "[sch.dll]\r\nwVirtualKeyCode=120\r\n"
        "[modifiers.dll]\r\nwModifiers= 4 \r\n"
        "[" +
        longSection +
        "]\r\nwModifiers=1\r\nwVirtualKeyCode=65\r\n"
        "[" +
        gbkSection + "]\r\nwModifiers=2\r\nwVirtualKeyCode=66\r\n";
    CLynIni ini;
    ASSERT_EQ(ini.SetFileName(WriteFile("module.ini", text)), 1);

    const std::vector<HotKeyEntry> expected = {
        {"qvcalendar.dll", {3, 68}},          {"sch.dll", {0, 120}},           {"modifiers.dll", {4, 0}},
        {longSection.substr(0, 64), {1, 65}}, {std::string(63, 'g'), {2, 66}},
    };
    EXPECT_EQ(ReadHotKeys(ini), expected);
    EXPECT_EQ(ReadHotKey(ini, "QVCALENDAR.DLL"), (HotKey{3, 68}));
    EXPECT_FALSE(ReadHotKey(ini, "weather.dll").IsSet());
}

TEST_F(ModuleIniHotKeys, WrittenAsDecimalTextBesideTheOtherKeys) {
    const std::string path = WriteFile("module.ini", "[qvcalendar.dll]\r\nload=1\r\nwModifiers=3\r\n");
    CLynIni ini;
    ASSERT_EQ(ini.SetFileName(path), 1);
    ASSERT_EQ(WriteHotKey(ini, "qvcalendar.dll", {6, 120}), 0);
    ASSERT_EQ(WriteHotKey(ini, "sch.dll", {}), 0);
    EXPECT_EQ(ini.GetValue("qvcalendar.dll", "load"), "1");
    EXPECT_EQ(ini.GetValue("qvcalendar.dll", "wModifiers"), "6");
    EXPECT_EQ(ini.GetValue("qvcalendar.dll", "wVirtualKeyCode"), "120");
    EXPECT_EQ(ini.GetValue("sch.dll", "wModifiers"), "0");
    EXPECT_EQ(ini.GetValue("sch.dll", "wVirtualKeyCode"), "0");
    EXPECT_EQ(ReadHotKeys(ini), (std::vector<HotKeyEntry>{{"qvcalendar.dll", {6, 120}}}));
}

TEST(PreferencesRules, Texts) {
    EXPECT_EQ(HotKeyAtomName("qvcalendar.dll"), "{E39CE64E-6267-47b2-8FD7-3D761A8ECCDD}-qvcalendar.dll");
    EXPECT_EQ(RunValueText("C:\\Program Files\\泽鲁\\tessary.exe"), "\"C:\\Program Files\\泽鲁\\tessary.exe\"");
    EXPECT_EQ(PreferencesTitle("泽鲁桌面日历", "V4.0"), "泽鲁桌面日历V4.0－属性设置");
}

TEST(PreferencesRules, SectionsCompareWithoutCase) {
    struct Case {
        const char* a;
        const char* b;
        bool same;
    };
    const Case cases[] = {
        {"QvCalendar.DLL", "qvcalendar.dll", true},
        {"sch.dll", "sch.dl", false},
        {"sch.dll", "qvcalendar.dll", false},
        {"日程.dll", "日程.DLL", true},
        // Two characters whose second bytes differ only as 'A' and 'a' do.
        {"\x81\x41", "\x81\x61", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SameSection(c.a, c.b), c.same) << c.a << " / " << c.b;
    }
}

}  // namespace
