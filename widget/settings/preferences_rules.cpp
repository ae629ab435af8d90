#include "widget/settings/preferences_rules.h"

#include <cstdint>
#include <limits>

namespace {

// RegisterHotKey's modifier bits and the hot-key control's (HOTKEYF_*).
constexpr unsigned kStoredAlt = 1;
constexpr unsigned kStoredControl = 2;
constexpr unsigned kStoredShift = 4;
constexpr unsigned kControlShift = 1;
constexpr unsigned kControlControl = 2;
constexpr unsigned kControlAlt = 4;

constexpr char kHotKeyAtomPrefix[] = "{E39CE64E-6267-47b2-8FD7-3D761A8ECCDD}-";

bool IsGbkLeadByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 0x81 && byte <= 0xFE;
}

// The longest start of `text` of at most `maxBytes` bytes that does not end
// between the two bytes of a character.
std::string_view CutWholeCharacters(std::string_view text, std::size_t maxBytes) {
    std::size_t end = 0;
    while (end < text.size()) {
        const std::size_t step = IsGbkLeadByte(text[end]) && end + 1 < text.size() ? 2 : 1;
        if (end + step > maxBytes) {
            break;
        }
        end += step;
    }
    return text.substr(0, end);
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

// Ticking "auto hide" makes the window a topmost panel that slides away, so
// pinning it in place or letting clicks through would fight it; clearing it
// turns the window into a fixed, click-through desktop calendar. While auto
// hide is on, choosing any of the other behaviours decides whether it stays.
WindowBoxes ApplyBoxClick(WindowBoxes boxes, WindowBox clicked) {
    switch (clicked) {
        case WindowBox::kAutoHide:
            boxes.alwaysOnTop = boxes.autoHide;
            boxes.fixedPosition = !boxes.autoHide;
            boxes.clickThrough = !boxes.autoHide;
            break;
        case WindowBox::kAlwaysOnTop:
            if (boxes.autoHide) {
                boxes.autoHide = boxes.alwaysOnTop;
            }
            break;
        case WindowBox::kFixedPosition:
            if (boxes.autoHide) {
                boxes.autoHide = !boxes.fixedPosition;
            }
            break;
        case WindowBox::kClickThrough:
            if (boxes.autoHide) {
                boxes.autoHide = !boxes.clickThrough;
            }
            break;
    }
    return boxes;
}

WindowBoxes BoxesOf(const WidgetSettings& settings) {
    return {settings.alwaysOnTop != 0, settings.fixedPosition != 0, settings.clickThrough != 0, settings.autoHide != 0};
}

void CopyBoxes(const WindowBoxes& boxes, WidgetSettings& settings) {
    settings.alwaysOnTop = boxes.alwaysOnTop ? 1 : 0;
    settings.fixedPosition = boxes.fixedPosition ? 1 : 0;
    settings.clickThrough = boxes.clickThrough ? 1 : 0;
    settings.autoHide = boxes.autoHide ? 1 : 0;
}

unsigned StoredToControlModifiers(unsigned stored) {
    return ((stored & kStoredAlt) != 0 ? kControlAlt : 0) | ((stored & kStoredControl) != 0 ? kControlControl : 0) |
           ((stored & kStoredShift) != 0 ? kControlShift : 0);
}

unsigned ControlToStoredModifiers(unsigned control) {
    return ((control & kControlShift) != 0 ? kStoredShift : 0) |
           ((control & kControlControl) != 0 ? kStoredControl : 0) | ((control & kControlAlt) != 0 ? kStoredAlt : 0);
}

unsigned ParseDecimalValue(std::string_view text) {
    std::uint64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        value = value * 10 + static_cast<unsigned>(c - '0');
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            return 0;
        }
    }
    return static_cast<unsigned>(value);
}

HotKey ReadHotKey(const CLynIni& ini, const std::string& section) {
    return {ParseDecimalValue(ini.GetValue(section, kHotKeyModifiersKey)),
            ParseDecimalValue(ini.GetValue(section, kHotKeyVirtualKeyKey))};
}

int WriteHotKey(CLynIni& ini, const std::string& section, const HotKey& key) {
    const int result = ini.SetValue(section, kHotKeyModifiersKey, std::to_string(key.modifiers), true);
    if (result != 0) {
        return result;
    }
    return ini.SetValue(section, kHotKeyVirtualKeyKey, std::to_string(key.virtualKey), true);
}

std::vector<HotKeyEntry> ReadHotKeys(const CLynIni& ini) {
    std::vector<std::string> sections;
    ini.GetSections(sections);
    std::vector<HotKeyEntry> entries;
    for (const std::string& section : sections) {
        const HotKey key = ReadHotKey(ini, section);
        if (key.IsSet()) {
            entries.push_back({std::string(CutWholeCharacters(section, kHotKeySectionMaxBytes)), key});
        }
    }
    return entries;
}

std::string HotKeyAtomName(std::string_view section) {
    return kHotKeyAtomPrefix + std::string(section);
}

bool SameSection(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (IsGbkLeadByte(a[i]) && i + 1 < a.size()) {
            // The second byte of a character may look like a letter: compare
            // the whole character exactly.
            if (a.substr(i, 2) != b.substr(i, 2)) {
                return false;
            }
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

std::string RunValueText(std::string_view loaderPath) {
    return "\"" + std::string(loaderPath) + "\"";
}

std::string PreferencesTitle(std::string_view softName, std::string_view softVersion) {
    return std::string(softName) + std::string(softVersion) + "－属性设置";
}
