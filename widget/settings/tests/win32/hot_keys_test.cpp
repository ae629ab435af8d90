#include "widget/settings/win32/hot_keys.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "common/win32/handles.h"
#include "testkit/win32/message_box_answerer.h"
#include "widget/settings/preferences_rules.h"
#include "widget/settings/tests/scratch_folder.h"
#include "widget/settings/tests/win32/settings_test_support.h"

namespace {

// Control + Alt with function keys nothing else of the test desktop uses.
constexpr unsigned kControlAlt = MOD_CONTROL | MOD_ALT;

class HotKeyRegistryTest : public ScratchFolder {
protected:
    void SetUp() override {
        ScratchFolder::SetUp();
        window_.reset(CreateWindowExA(0, "STATIC", "hot keys", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                      GetModuleHandleA(nullptr), nullptr));
        ASSERT_TRUE(window_);
    }

    std::string ModuleIni(const std::string& text) { return WriteFile("module.ini", text); }

    UniqueWindow window_;
};

ATOM AtomOf(const std::string& section) {
    return GlobalFindAtomA(HotKeyAtomName(section).c_str());
}

// Whether another window could take the key now (the probe is let go again).
bool KeyIsFree(unsigned modifiers, unsigned virtualKey) {
    constexpr int kProbeId = 0x0BAD;
    if (RegisterHotKey(nullptr, kProbeId, modifiers, virtualKey) == FALSE) {
        return false;
    }
    UnregisterHotKey(nullptr, kProbeId);
    return true;
}

TEST_F(HotKeyRegistryTest, EverySectionWithAKeyIsRegisteredUnderItsAtom) {
    const std::string path = ModuleIni(
        "[qvcalendar.dll]\r\nload=1\r\nwModifiers=3\r\nwVirtualKeyCode=120\r\n"
        "[weather.dll]\r\nload=1\r\n"
        "[sch.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=121\r\n");
    HotKeyRegistry registry;
    ASSERT_TRUE(registry.RegisterHotKeys(window_.get(), path));

    for (const char* section : {"qvcalendar.dll", "sch.dll"}) {
        const ATOM atom = AtomOf(section);
        ASSERT_NE(atom, 0) << section;
        EXPECT_EQ(registry.SectionOf(atom), section);
    }
    EXPECT_EQ(AtomOf("weather.dll"), 0);
    EXPECT_EQ(registry.SectionOf(0x1234), "");
    EXPECT_FALSE(KeyIsFree(kControlAlt, VK_F9));
    EXPECT_FALSE(KeyIsFree(kControlAlt, VK_F10));

    const ATOM calendarAtom = AtomOf("qvcalendar.dll");
    registry.UnregisterAll();
    EXPECT_EQ(registry.SectionOf(calendarAtom), "");
    EXPECT_EQ(AtomOf("qvcalendar.dll"), 0);
    EXPECT_EQ(AtomOf("sch.dll"), 0);
    EXPECT_TRUE(KeyIsFree(kControlAlt, VK_F9));
    EXPECT_TRUE(KeyIsFree(kControlAlt, VK_F10));
}

// Presses Control + Alt + `key` as the keyboard would.
void PressControlAlt(WORD key) {
    INPUT inputs[6] = {};
    const WORD keys[] = {VK_CONTROL, VK_MENU, key};
    for (int i = 0; i < 3; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[5 - i].type = INPUT_KEYBOARD;
        inputs[5 - i].ki.wVk = keys[i];
        inputs[5 - i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    SendInput(6, inputs, sizeof(INPUT));
}

// The hot key's message names the atom, which leads back to the section.
TEST_F(HotKeyRegistryTest, AFiredHotKeyLeadsBackToItsSection) {
    HotKeyRegistry registry;
    ASSERT_TRUE(
        registry.RegisterHotKeys(window_.get(), ModuleIni("[qvcalendar.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=120\r\n"
                                                          "[sch.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=121\r\n")));
    PressControlAlt(VK_F10);
    MSG message = {};
    std::string fired;
    const ULONGLONG deadline = GetTickCount64() + 5000;
    while (fired.empty() && GetTickCount64() < deadline) {
        if (PeekMessageA(&message, window_.get(), WM_HOTKEY, WM_HOTKEY, PM_REMOVE)) {
            fired = registry.SectionOf(static_cast<int>(message.wParam));
        } else {
            Sleep(10);
        }
    }
    EXPECT_EQ(fired, "sch.dll");
}

TEST_F(HotKeyRegistryTest, RegisteringAgainReplacesTheOldKeysAndTheEndFreesThem) {
    {
        HotKeyRegistry registry;
        ASSERT_TRUE(registry.RegisterHotKeys(window_.get(),
                                             ModuleIni("[qvcalendar.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=120\r\n")));
        EXPECT_FALSE(KeyIsFree(kControlAlt, VK_F9));

        ASSERT_TRUE(registry.RegisterHotKeys(window_.get(),
                                             ModuleIni("[qvcalendar.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=122\r\n")));
        EXPECT_TRUE(KeyIsFree(kControlAlt, VK_F9));
        EXPECT_FALSE(KeyIsFree(kControlAlt, VK_F11));
        EXPECT_EQ(registry.SectionOf(AtomOf("qvcalendar.dll")), "qvcalendar.dll");
    }
    EXPECT_TRUE(KeyIsFree(kControlAlt, VK_F11));
    EXPECT_EQ(AtomOf("qvcalendar.dll"), 0);
}

TEST_F(HotKeyRegistryTest, AKeyTakenElsewhereIsReportedAndStopsRegistering) {
    constexpr int kTakenId = 0x0C0D;
    ASSERT_TRUE(RegisterHotKey(nullptr, kTakenId, kControlAlt, VK_F12));
    const std::string path = ModuleIni(
        "[qvcalendar.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=120\r\n"
        "[sch.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=123\r\n"
        "[later.dll]\r\nwModifiers=3\r\nwVirtualKeyCode=119\r\n");
    HotKeyRegistry registry;
    testkit::MessageBoxAnswerer answerer(settings_test::kMessageBoxCaption, IDOK);
    EXPECT_FALSE(registry.RegisterHotKeys(window_.get(), path));
    const std::optional<testkit::AnsweredDialog> box = answerer.Result();
    UnregisterHotKey(nullptr, kTakenId);

    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "注册热键失败,请指定其他热键！");
    EXPECT_EQ(box->icon, testkit::MessageBoxIcon::kWarning);
    EXPECT_EQ(box->owner, window_.get());
    // The key before the failure stays; the failed one leaves no atom behind
    // and the ones after it are not tried.
    EXPECT_EQ(registry.SectionOf(AtomOf("qvcalendar.dll")), "qvcalendar.dll");
    EXPECT_EQ(AtomOf("sch.dll"), 0);
    EXPECT_EQ(AtomOf("later.dll"), 0);
    EXPECT_TRUE(KeyIsFree(kControlAlt, VK_F8));
}

}  // namespace
