# The Windows side of the widget settings (included from
# widget/settings/CMakeLists.txt in the Windows tree): the library the widget
# DLL links, and its tests under Wine. The widget DLL's resource script
# includes win32/preferences_dialog.rc.

add_library(widget_settings_win32 STATIC
    win32/hot_keys.cpp
    win32/preferences_dialog.cpp
    win32/reminder_backup.cpp
    win32/work_area.cpp
)
target_include_directories(widget_settings_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(widget_settings_win32 PUBLIC
    settings_core qvkernel32 LynKernel32 common comctl32 user32
)
suite_code_options(widget_settings_win32)

# The test program carries the dialog resource itself, and the widget's
# icon from the generated art (tools/artgen).
set(settings_test_resources ${CMAKE_CURRENT_BINARY_DIR}/settings_test.res.o)
add_custom_command(OUTPUT ${settings_test_resources}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_BINARY_DIR}/art/resources
            -i ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/settings_test.rc -o ${settings_test_resources}
    DEPENDS ${CMAKE_BINARY_DIR}/art.stamp
            ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/settings_test.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/preferences_dialog.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/preferences_resources.h
    COMMENT "Compiling the settings tests' resources"
    VERBATIM
)
add_custom_target(settings_test_resources DEPENDS ${settings_test_resources})
add_dependencies(settings_test_resources art)

suite_test(settings_win32_tests
    SOURCES
        tests/win32/hot_keys_test.cpp
        tests/win32/preferences_dialog_test.cpp
        tests/win32/settings_test_support.cpp
        ${settings_test_resources}
    LIBS widget_settings_win32 testkit advapi32
    WINDOWS_ONLY
    DESKTOP
)
add_dependencies(settings_win32_tests settings_test_resources)
