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
add_library(trevalo_win32 STATIC
    win32/browser_page.cpp
    win32/navigation_view.cpp
)
target_include_directories(trevalo_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(trevalo_win32 PUBLIC trevalo_core common ole32 oleaut32 uuid user32)
target_link_libraries(trevalo_win32 PUBLIC LynHook32 comctl32 shell32)
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
        tests/win32/tree_images_stand_in.cpp
    LIBS trevalo_win32 trevalo_browser_events testkit
    WINDOWS_ONLY
    DESKTOP
)
