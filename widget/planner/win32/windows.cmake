# The Windows side of the planner (included from widget/planner/CMakeLists.txt
# in the Windows tree): the day grid control and the planner dialog that
# places it, and the control's tests under Wine. The widget library's
# resource script includes win32/reminder_planner.rc; the planner itself is
# tested through the widget library (widget/win32/tests).

add_library(planner_win32 STATIC
    win32/line_fitting.cpp
    win32/planner_grid_control.cpp
    win32/planner_grid_painter.cpp
    win32/reminder_planner.cpp
)
target_include_directories(planner_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(planner_win32 PUBLIC
    planner_core reminders_win32 qvkernel32 common comctl32 gdiplus gdi32 user32
)
suite_code_options(planner_win32)

# The control in a plain parent window, and the painter on bitmaps; the
# control test leaves screenshots of both modes for reviewers, drawn with
# the generated cell band (tools/artgen).
set(planner_screenshots ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${planner_screenshots})
suite_test(planner_win32_tests
    SOURCES
        tests/win32/gdiplus_environment.cpp
        tests/win32/line_fitting_test.cpp
        tests/win32/planner_grid_control_test.cpp
        tests/win32/planner_grid_painter_test.cpp
        tests/win32/planner_test_images.cpp
    LIBS planner_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
target_compile_definitions(planner_win32_tests PRIVATE
    PLANNER_ART_DIR="${CMAKE_BINARY_DIR}/art/modules/Calendar/Commskins"
    PLANNER_SCREENSHOT_DIR="${planner_screenshots}"
)
add_dependencies(planner_win32_tests art)
