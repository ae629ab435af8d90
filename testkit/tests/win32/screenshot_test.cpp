#include "testkit/win32/screenshot.h"

#include <gtest/gtest.h>

#include <string>

#include "common/win32/handles.h"
#include "testkit/win32/window_helpers.h"

namespace testkit {
namespace {

std::string TempFile(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name + std::to_string(GetCurrentProcessId()) + ".png";
}

TEST(Screenshot, WindowSavedAsPngReadsBackWithItsPixels) {
    // A window filled with a known colour through its class brush.
    UniqueGdiObject brush(CreateSolidBrush(RGB(0x20, 0x80, 0xC0)));
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = static_cast<HBRUSH>(brush.get());
    windowClass.lpszClassName = "TestkitScreenshotWindow";
    RegisterClassA(&windowClass);
    UniqueWindow window(CreateWindowExA(WS_EX_TOPMOST, windowClass.lpszClassName, "", WS_POPUP | WS_VISIBLE, 500, 300,
                                        120, 80, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    ASSERT_TRUE(window);
    UpdateWindow(window.get());
    PumpMessages(200);

    std::string path = TempFile("testkit_window");
    ASSERT_TRUE(SaveWindowPng(window.get(), path));
    std::optional<Image> image = LoadImageFile(path);
    DeleteFileA(path.c_str());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, 120);
    EXPECT_EQ(image->height, 80);
    EXPECT_EQ(image->Pixel(60, 40), 0xFF2080C0u);
    EXPECT_EQ(image->Pixel(0, 79), 0xFF2080C0u);
}

TEST(Screenshot, ScreenSavedAtScreenSize) {
    std::string path = TempFile("testkit_screen");
    ASSERT_TRUE(SaveScreenPng(path));
    std::optional<Image> image = LoadImageFile(path);
    DeleteFileA(path.c_str());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(image->height, GetSystemMetrics(SM_CYSCREEN));
}

TEST(Screenshot, NothingToSaveOrLoad) {
    EXPECT_FALSE(SaveScreenAreaPng(RECT{10, 10, 10, 50}, TempFile("testkit_empty")));
    EXPECT_EQ(LoadImageFile(TempFile("testkit_missing")), std::nullopt);
}

}  // namespace
}  // namespace testkit
