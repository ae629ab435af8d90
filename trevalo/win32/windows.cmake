# The Windows side of Trevalo (included from trevalo/CMakeLists.txt in the
# Windows tree): the shipped data files, the Win32 library and its tests.

# The history page's template and the navigation mode's site categories.
# The category files keep their Chinese names; only their contents are GBK.
install(FILES
    ${CMAKE_CURRENT_SOURCE_DIR}/data/msn.dat
    ${CMAKE_CURRENT_SOURCE_DIR}/data/搜索引擎.ini
    ${CMAKE_CURRENT_SOURCE_DIR}/data/名站导航.ini
    ${CMAKE_CURRENT_SOURCE_DIR}/data/实用酷站.ini
    ${CMAKE_CURRENT_SOURCE_DIR}/data/工具服务.ini
    DESTINATION Trevalo/Data
)

# The Win32 parts of Trevalo.exe, shared with their tests.
# The trees' image list serves both modes' views.
add_library(trevalo_win32 STATIC
    win32/browser_page.cpp
    win32/navigation_view.cpp
    win32/tree_images.cpp
)
target_include_directories(trevalo_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(trevalo_win32 PUBLIC trevalo_core LynHook32 common comctl32 shell32 ole32 oleaut32 uuid user32)
suite_code_options(trevalo_win32)

# For any Windows test of Trevalo that needs its pages' events: Wine never
# completes a page, so tests fire the events themselves.
add_library(trevalo_browser_events STATIC tests/win32/browser_events.cpp)
target_include_directories(trevalo_browser_events PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(trevalo_browser_events PUBLIC common ole32 oleaut32 uuid user32)
suite_code_options(trevalo_browser_events)

suite_test(trevalo_win32_tests
    SOURCES
        tests/win32/browser_page_test.cpp
        tests/win32/navigation_view_test.cpp
    LIBS trevalo_win32 trevalo_browser_events testkit
    WINDOWS_ONLY
    DESKTOP
)

# Trevalo.exe: start-up, the main window and the history mode (trevalo_app,
# shared with its tests), with its icon and version information.
set(trevalo_resources ${CMAKE_CURRENT_BINARY_DIR}/trevalo.res.o)
add_custom_command(OUTPUT ${trevalo_resources}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_BINARY_DIR}/art/resources
            -i ${CMAKE_CURRENT_SOURCE_DIR}/win32/trevalo.rc -o ${trevalo_resources}
    DEPENDS ${CMAKE_BINARY_DIR}/art.stamp ${CMAKE_CURRENT_SOURCE_DIR}/win32/trevalo.rc
    COMMENT "Compiling Trevalo's resources"
    VERBATIM
)
add_custom_target(trevalo_resources DEPENDS ${trevalo_resources})
add_dependencies(trevalo_resources art)

add_library(trevalo_app STATIC
    win32/file_dialogs.cpp
    win32/history_view.cpp
    win32/trevalo_window.cpp
)
target_include_directories(trevalo_app PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(trevalo_app PUBLIC
    trevalo_win32 trevalo_core qvkernel32 LynKernel32 LynHook32 common
    comctl32 comdlg32 shell32 ole32 oleaut32 uuid gdi32 user32
)
suite_code_options(trevalo_app)

add_executable(Trevalo WIN32 win32/main.cpp ${trevalo_resources})
add_dependencies(Trevalo trevalo_resources)
set_target_properties(Trevalo PROPERTIES OUTPUT_NAME Trevalo)
target_link_libraries(Trevalo PRIVATE trevalo_app)
suite_code_options(Trevalo)
install(TARGETS Trevalo RUNTIME DESTINATION .)

suite_test(trevalo_app_tests
    SOURCES
        tests/win32/trevalo_app_test.cpp
        tests/win32/trevalo_fixture.cpp
        tests/win32/history_view_test.cpp
        tests/win32/file_dialogs_test.cpp
    LIBS trevalo_app testkit advapi32
    WINDOWS_ONLY
    DESKTOP
)
add_dependencies(trevalo_app_tests Trevalo art)
