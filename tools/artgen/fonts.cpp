#include "tools/artgen/fonts.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <pango/pangocairo.h>

#include <array>
#include <cstring>

namespace artgen {

namespace {

constexpr std::array<const char*, 2> kFamilies = {"Noto Sans CJK SC", "WenQuanYi Zen Hei"};

std::string& CurrentFamily() {
    static std::string family;
    return family;
}

// Whether fontconfig has a font of exactly this family (its matching would
// otherwise hand back any font rather than none).
bool HasFamily(const char* family) {
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>(family));
    if (pattern == nullptr) {
        return false;
    }
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    bool found = false;
    if (match != nullptr) {
        FcChar8* name = nullptr;
        for (int i = 0; !found && FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i) {
            found = std::strcmp(reinterpret_cast<const char*>(name), family) == 0;
        }
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

}  // namespace

std::string FindFontFamily() {
    for (const char* family : kFamilies) {
        if (HasFamily(family)) {
            return family;
        }
    }
    return {};
}

const std::string& FontFamily() {
    return CurrentFamily();
}

void SetFontFamily(std::string family) {
    CurrentFamily() = std::move(family);
}

void ReleaseFontCaches() {
    pango_cairo_font_map_set_default(nullptr);
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace artgen
