# The Windows side of the reminders (included from
# widget/reminders/CMakeLists.txt in the Windows tree): the editors and the
# pop-up the widget library links, and their tests under Wine. The widget
# DLL's resource script includes win32/reminder_dialogs.rc.

add_library(reminders_win32 STATIC
    win32/birthday_editor.cpp
    win32/dialog_navigation.cpp
    win32/editor_controls.cpp
    win32/file_choice.cpp
    win32/missed_reminders_window.cpp
    win32/modeless_dialog.cpp
    win32/reminder_popup.cpp
    win32/schedule_editor.cpp
)
target_include_directories(reminders_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(reminders_win32 PUBLIC
    reminders_core qvkernel32 common comctl32 user32
)
suite_code_options(reminders_win32)

# The test program carries the dialogs itself, and the widget's icon from
# the generated art (tools/artgen).
set(reminders_test_resources ${CMAKE_CURRENT_BINARY_DIR}/reminders_test.res.o)
add_custom_command(OUTPUT ${reminders_test_resources}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_BINARY_DIR}/art/resources
            -i ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/reminders_test.rc -o ${reminders_test_resources}
    DEPENDS ${CMAKE_BINARY_DIR}/art.stamp
            ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/reminders_test.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/reminder_dialogs.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/reminder_dialog_resources.h
    COMMENT "Compiling the reminder dialog tests' resources"
    VERBATIM
)
add_custom_target(reminders_test_resources DEPENDS ${reminders_test_resources})
add_dependencies(reminders_test_resources art)

set(reminders_screenshots ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${reminders_screenshots})

suite_test(reminders_dialogs_win32_tests
    SOURCES
        tests/win32/birthday_editor_test.cpp
        tests/win32/calendar_stand_in.cpp
        tests/win32/missed_reminders_window_test.cpp
        tests/win32/reminder_popup_test.cpp
        tests/win32/schedule_editor_test.cpp
        ${reminders_test_resources}
    LIBS reminders_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
add_dependencies(reminders_dialogs_win32_tests reminders_test_resources)
target_compile_definitions(reminders_dialogs_win32_tests PRIVATE
    REMINDERS_SCREENSHOT_DIR="${reminders_screenshots}"
)
