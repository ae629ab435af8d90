# The calendar widget library qvcalendar.dll (included from
# widget/CMakeLists.txt in the Windows tree): the calendar window and the
# entry points, its resources, and its tests under Wine, in-process and end
# to end with the real tessary.exe.

set(widget_win32_dir ${CMAKE_CURRENT_SOURCE_DIR}/win32)

# The resources: the generated widget icon and list images, the preferences
# dialog of widget/settings, the reminder dialogs of widget/reminders, the
# planner of widget/planner, the city picker of widget/weather and the
# version information.
set(widget_resources ${CMAKE_CURRENT_BINARY_DIR}/qvcalendar.res.o)
add_custom_command(OUTPUT ${widget_resources}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_BINARY_DIR}/art/resources
            -I ${CMAKE_CURRENT_SOURCE_DIR}/settings/win32
            -I ${CMAKE_CURRENT_SOURCE_DIR}/reminders/win32
            -I ${CMAKE_CURRENT_SOURCE_DIR}/planner/win32
            -I ${CMAKE_CURRENT_SOURCE_DIR}/weather/win32
            -i ${widget_win32_dir}/qvcalendar.rc -o ${widget_resources}
    DEPENDS ${CMAKE_BINARY_DIR}/art.stamp
            ${widget_win32_dir}/qvcalendar.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/settings/win32/preferences_dialog.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/settings/win32/preferences_resources.h
            ${CMAKE_CURRENT_SOURCE_DIR}/reminders/win32/reminder_dialogs.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/reminders/win32/reminder_dialog_resources.h
            ${CMAKE_CURRENT_SOURCE_DIR}/planner/win32/reminder_planner.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/planner/win32/planner_resources.h
            ${CMAKE_CURRENT_SOURCE_DIR}/weather/win32/city_dialog.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/weather/win32/weather_resources.h
    COMMENT "Compiling the calendar widget's resources"
    VERBATIM
)
add_custom_target(widget_resources DEPENDS ${widget_resources})
add_dependencies(widget_resources art)

# Everything of the widget but its entry points, so the tests can link the
# pieces they check.
add_library(widget_win32 STATIC
    win32/calendar_layout.cpp
    win32/calendar_painter.cpp
    win32/calendar_window.cpp
    win32/calendar_window_input.cpp
    win32/calendar_window_reminders.cpp
    win32/calendar_window_state.cpp
    win32/calendar_window_weather.cpp
    win32/edge_strip.cpp
    win32/gdiplus_drawing.cpp
    win32/skin_images.cpp
    win32/weather_painter.cpp
    win32/weather_sequence.cpp
)
target_include_directories(widget_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(widget_win32 PUBLIC
    view_core reminders_core reminders_win32 planner_win32 calendar_core widget_settings_win32 clock_win32
    weather_win32
    qvctrl qvcb qvkernel32 LynKernel32 common gdiplus gdi32 user32 ole32
)
suite_code_options(widget_win32)

suite_windows_dll(qvcalendar
    OUTPUT_NAME qvcalendar
    BUILD_MACRO QVCALENDAR_BUILD
    SOURCES win32/widget_entry_points.cpp ${widget_resources}
    LIBS widget_win32
    DESTINATION modules/Calendar
)
add_dependencies(qvcalendar widget_resources)

set(widget_screenshots ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${widget_screenshots})

# In-process: the library loaded from a scratch module folder laid out like
# the installed one.
suite_test(widget_win32_tests
    SOURCES
        win32/tests/calendar_layout_test.cpp
        win32/tests/calendar_skin_test.cpp
        win32/tests/calendar_window_test.cpp
        win32/tests/reminder_alert_test.cpp
        win32/tests/reminder_planner_test.cpp
        win32/tests/reminder_state_test.cpp
        win32/tests/weather_window_test.cpp
        win32/tests/widget_entry_points_test.cpp
        win32/tests/widget_library.cpp
        win32/tests/widget_test_folder.cpp
        win32/tests/window_order_test.cpp
        ${PROJECT_SOURCE_DIR}/controls/tests/win32/sound_files.cpp
    LIBS widget_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
# A reminder's program in the alert tests: leaves a marker file.
add_executable(reminder_program_fixture win32/tests/reminder_program_fixture.cpp)
suite_code_options(reminder_program_fixture)
add_dependencies(widget_win32_tests reminder_program_fixture)
# End to end: the real tessary.exe in a scratch program folder.
suite_test(widget_end_to_end_tests
    SOURCES
        win32/tests/end_to_end_test.cpp
        win32/tests/widget_test_folder.cpp
        ${PROJECT_SOURCE_DIR}/controls/tests/win32/sound_files.cpp
    LIBS widget_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
foreach(test widget_win32_tests widget_end_to_end_tests)
    target_compile_definitions(${test} PRIVATE
        WIDGET_ART_DIR="${CMAKE_BINARY_DIR}/art"
        WIDGET_HOLIDAYS_PATH="${PROJECT_SOURCE_DIR}/data/holiday.dat"
        WIDGET_DESCRIPTOR_PATH="${PROJECT_SOURCE_DIR}/loader/data/Calendar.xml"
        WIDGET_SCREENSHOT_DIR="${widget_screenshots}"
    )
    add_dependencies(${test} qvcalendar art)
endforeach()
add_dependencies(widget_end_to_end_tests tessary reminder_program_fixture)
