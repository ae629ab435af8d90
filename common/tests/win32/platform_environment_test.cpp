// Checks the platform facts that the suite's Windows programs rely on, so a
// broken build or test prefix fails here rather than as puzzling failures
// elsewhere.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "common/tests/win32/throwing_library.h"

TEST(PlatformEnvironment, AnsiCodePageIsChinese) {
    // Narrow strings are GBK; the A functions only read them right under code page 936.
    EXPECT_EQ(GetACP(), 936u);
}

TEST(PlatformEnvironment, LocalTimeIsChinaStandardTime) {
    TIME_ZONE_INFORMATION zone;
    GetTimeZoneInformation(&zone);
    EXPECT_EQ(zone.Bias, -480);
}

TEST(PlatformEnvironment, SimSunHasChineseGlyphs) {
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    HFONT font = CreateFontA(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "宋体");
    ASSERT_NE(font, nullptr);
    HGDIOBJ previous = SelectObject(screen, font);
    const wchar_t text[] = L"\u4E03\u6708\u521D\u516B";  // 七月初八
    WORD glyphs[4] = {};
    DWORD converted = GetGlyphIndicesW(screen, text, 4, glyphs, GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(screen, previous);
    DeleteObject(font);
    ReleaseDC(nullptr, screen);
    ASSERT_EQ(converted, 4u);
    for (WORD glyph : glyphs) {
        EXPECT_NE(glyph, 0xFFFF) << "a Chinese character has no glyph: the font would show boxes";
    }
}

TEST(PlatformEnvironment, ExceptionThrownInOneDllIsCaughtInAnother) {
    // Our libraries throw C++ exceptions to their callers (the XML layer does
    // by design); that needs one shared C++ runtime for every module.
    try {
        ThrowFromLibrary("from the library");
        FAIL() << "nothing was thrown";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "from the library");
    }
}
