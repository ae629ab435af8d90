# The Windows side of the planner (included from widget/planner/CMakeLists.txt
# in the Windows tree): the day grid control the planner dialog places, and
# its tests under Wine.

add_library(planner_win32 STATIC
    win32/line_fitting.cpp
    win32/planner_grid_painter.cpp
)
target_include_directories(planner_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(planner_win32 PUBLIC planner_core common gdiplus gdi32 user32)
suite_code_options(planner_win32)

# The painter on bitmaps.
suite_test(planner_win32_tests
    SOURCES
        tests/win32/gdiplus_environment.cpp
        tests/win32/line_fitting_test.cpp
        tests/win32/planner_grid_painter_test.cpp
        tests/win32/planner_test_images.cpp
    LIBS planner_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
