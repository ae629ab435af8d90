#pragma once

// The one typeface of the suite's art, found by family name through
// fontconfig: Noto Sans CJK SC, else WenQuanYi Zen Hei (Debian's
// fonts-noto-cjk and fonts-wqy-zenhei). Both cover Chinese and Latin text.

#include <string>

namespace artgen {

// The first installed family of the list above; empty when none is.
std::string FindFontFamily();

// The family every text of the art uses; set once by main (or a test) from
// FindFontFamily before anything is drawn.
const std::string& FontFamily();
void SetFontFamily(std::string family);

// Frees fontconfig's, pango's and cairo's process-wide caches, so a leak
// checker sees only what the program itself kept. Nothing may be drawn after.
void ReleaseFontCaches();

}  // namespace artgen
