# The Windows side of the loader (included from loader/CMakeLists.txt in the
# Windows tree): the Win32 library shared by tessary.exe and its tests, the
# program with its resources, the fixture widget modules and the Win32 and
# end-to-end tests.

# The resources: the generated icons and bitmaps (tools/artgen) and the
# version information.
set(loader_resources ${CMAKE_CURRENT_BINARY_DIR}/tessary.res.o)
add_custom_command(OUTPUT ${loader_resources}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_BINARY_DIR}/art/resources
            -i ${CMAKE_CURRENT_SOURCE_DIR}/win32/tessary.rc -o ${loader_resources}
    DEPENDS ${CMAKE_BINARY_DIR}/art.stamp ${CMAKE_CURRENT_SOURCE_DIR}/win32/tessary.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/shutdown_dialogs.rc ${CMAKE_CURRENT_SOURCE_DIR}/win32/shutdown_resources.h
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/skin_dialog.rc ${CMAKE_CURRENT_SOURCE_DIR}/win32/skin_dialog_resources.h
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/time_sync_dialog.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/time_sync_dialog_resources.h
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/lookup_window.rc ${CMAKE_CURRENT_SOURCE_DIR}/win32/lookup_window_resources.h
    COMMENT "Compiling the loader's resources"
    VERBATIM
)
add_custom_target(loader_resources DEPENDS ${loader_resources})
add_dependencies(loader_resources art)

add_library(loader_win32 STATIC
    win32/about_window.cpp
    win32/dialog_keys.cpp
    win32/loader_app.cpp
    win32/loader_window.cpp
    win32/loader_window_lookup.cpp
    win32/loader_window_notices.cpp
    win32/loader_window_skins.cpp
    win32/lookup_window.cpp
    win32/notice_window.cpp
    win32/shutdown_countdown_dialog.cpp
    win32/shutdown_dialog.cpp
    win32/skin_dialog.cpp
    win32/skin_folders.cpp
    win32/skin_page.cpp
    win32/skin_download.cpp
    win32/skin_update_engine.cpp
    win32/system_desktop_shell.cpp
    win32/system_module_platform.cpp
    win32/time_sync_dialog.cpp
    win32/thumb_button.cpp
    win32/thumb_control.cpp
    win32/time_sync_worker.cpp
    win32/system_monitor.cpp
    win32/system_readings.cpp
    win32/tray_icon.cpp
    win32/tray_icon_locator.cpp
    win32/tray_info_worker.cpp
    win32/tray_menu.cpp
    win32/version_check_worker.cpp
    # The clock setter the program sets the time with (QvCB.dll carries it too).
    ${PROJECT_SOURCE_DIR}/alarmclock/win32/local_time_setter.cpp
)
target_include_directories(loader_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(loader_win32 PUBLIC
    loader_core qvkernel32 qvxml LynKernel32 LynHook32 common clock_win32 ws2_32
    comctl32 gdiplus winmm shell32 ole32 oleaut32 uuid gdi32 user32 advapi32
    iphlpapi wininet
)
suite_code_options(loader_win32)

add_executable(tessary WIN32 win32/main.cpp ${loader_resources})
add_dependencies(tessary loader_resources)
target_link_libraries(tessary PRIVATE loader_win32)
suite_code_options(tessary)
install(TARGETS tessary RUNTIME DESTINATION .)
install(FILES data/module.ini DESTINATION Data)
install(FILES data/Calendar.xml DESTINATION modules/Calendar)

# Widget modules for the tests only (never installed): each records every
# entry-point call, with its own file name, in the file that the variable
# LOADER_FIXTURE_LOG names. "refusing" answers 0 to GetVexaWInterface,
# "noexport" does not export it.
foreach(kind good refusing noexport)
    add_library(fixture_widget_${kind} SHARED tests/win32/fixture_widget.cpp)
    set_target_properties(fixture_widget_${kind} PROPERTIES PREFIX "")
    target_include_directories(fixture_widget_${kind} PRIVATE ${PROJECT_SOURCE_DIR})
    string(TOUPPER ${kind} kind_macro)
    target_compile_definitions(fixture_widget_${kind} PRIVATE FIXTURE_WIDGET_${kind_macro})
    target_link_libraries(fixture_widget_${kind} PRIVATE user32)
    suite_code_options(fixture_widget_${kind})
endforeach()

# A stand-in skin package for the skin update's tests (never installed),
# served by their HTTP server. Static, so a copy runs without the runtime DLLs.
add_executable(fixture_skin_package WIN32 tests/win32/fixture_skin_package.cpp)
target_link_options(fixture_skin_package PRIVATE -static)
suite_code_options(fixture_skin_package)

suite_test(loader_win32_tests
    SOURCES
        tests/win32/chinese_text_test.cpp
        tests/win32/end_to_end_test.cpp
        tests/win32/fixture_folder.cpp
        tests/win32/loader_window_test.cpp
        tests/win32/lookup_window_test.cpp
        tests/win32/shutdown_dialog_test.cpp
        tests/win32/skin_dialog_test.cpp
        tests/win32/system_desktop_shell_test.cpp
        tests/win32/system_module_platform_test.cpp
        tests/win32/time_sync_dialog_test.cpp
        tests/win32/system_monitor_test.cpp
        tests/win32/update_notice_test.cpp
        tests/win32/skin_update_engine_test.cpp
        tests/win32/side_program_end_to_end_test.cpp
        ${loader_resources}
    LIBS loader_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
add_dependencies(loader_win32_tests loader_resources tessary fixture_widget_good fixture_widget_refusing
                 fixture_widget_noexport fixture_skin_package Trevalo)
