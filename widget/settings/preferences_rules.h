#pragma once

// The rules of the widget's preferences dialog and hot keys that need no
// window: the coupled window-behaviour boxes, the hot-key modifier bits as
// stored and as shown, the hot keys in the loader's Data\module.ini, and the
// texts the dialog writes (atom names, the run-at-logon value, its title).

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/lyn_ini.h"
#include "widget/settings/widget_settings.h"

// The four window-behaviour check boxes.
struct WindowBoxes {
    bool alwaysOnTop = false;
    bool fixedPosition = false;
    bool clickThrough = false;
    bool autoHide = false;

    friend bool operator==(const WindowBoxes&, const WindowBoxes&) = default;
};

enum class WindowBox { kAlwaysOnTop, kFixedPosition, kClickThrough, kAutoHide };

// The boxes after a click on `clicked`; `boxes` already holds the clicked
// box's new state (the box toggles itself before it reports the click).
WindowBoxes ApplyBoxClick(WindowBoxes boxes, WindowBox clicked);

WindowBoxes BoxesOf(const WidgetSettings& settings);
// Sets the four fields to 1 or 0; the other settings stay.
void CopyBoxes(const WindowBoxes& boxes, WidgetSettings& settings);

// Modifier bits: module.ini holds RegisterHotKey's (Alt 1, Control 2,
// Shift 4), the hot-key control uses its own (Shift 1, Control 2, Alt 4).
// Other bits (the Windows key, the control's extended-key flag) have no
// counterpart and are dropped.
unsigned StoredToControlModifiers(unsigned stored);
unsigned ControlToStoredModifiers(unsigned control);

inline constexpr char kCalendarHotKeySection[] = "qvcalendar.dll";  // show or hide the calendar
inline constexpr char kPlannerHotKeySection[] = "sch.dll";          // show or hide the planner
inline constexpr char kHotKeyModifiersKey[] = "wModifiers";
inline constexpr char kHotKeyVirtualKeyKey[] = "wVirtualKeyCode";
// Longest section name remembered with a registered hot key, in bytes.
inline constexpr std::size_t kHotKeySectionMaxBytes = 64;

// One hot key as module.ini stores it; both 0 means none.
struct HotKey {
    unsigned modifiers = 0;
    unsigned virtualKey = 0;

    bool IsSet() const { return modifiers != 0 || virtualKey != 0; }
    friend bool operator==(const HotKey&, const HotKey&) = default;
};

struct HotKeyEntry {
    std::string section;
    HotKey key;

    friend bool operator==(const HotKeyEntry&, const HotKeyEntry&) = default;
};

// A stored decimal value: its leading digits; 0 when there are none, when
// it is negative or when it does not fit in 32 bits.
unsigned ParseDecimalValue(std::string_view text);

HotKey ReadHotKey(const CLynIni& ini, const std::string& section);
// Writes both keys as decimal text; 0, or the error code of the first write
// that failed.
int WriteHotKey(CLynIni& ini, const std::string& section, const HotKey& key);
// Every section with a hot key set, in file order; a section name is cut to
// kHotKeySectionMaxBytes (never inside a double-byte character).
std::vector<HotKeyEntry> ReadHotKeys(const CLynIni& ini);

// The global atom whose number identifies the hot key of `section`.
std::string HotKeyAtomName(std::string_view section);
// Section names compare without regard to the case of ASCII letters.
bool SameSection(std::string_view a, std::string_view b);

// Start with the system: the value under HKEY_LOCAL_MACHINE that holds the
// loader's path in double quotes.
inline constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunValueName[] = "tessary";
std::string RunValueText(std::string_view loaderPath);

// The dialog's caption: product name and version run together, then "－属性设置".
std::string PreferencesTitle(std::string_view softName, std::string_view softVersion);
