# The Windows side of the weather section (included from
# widget/weather/CMakeLists.txt in the Windows tree): the workers and the
# city picker the widget library links, and their tests under Wine against
# the test kit's HTTP server. The widget DLL's resource script includes
# win32/city_dialog.rc.

add_library(weather_win32 STATIC
    win32/city_dialog.cpp
    win32/weather_client.cpp
)
target_include_directories(weather_win32 PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(weather_win32 PUBLIC weather_core services_core common wininet user32)
suite_code_options(weather_win32)

# The test program carries the city picker itself.
set(weather_test_resources ${CMAKE_CURRENT_BINARY_DIR}/weather_test.res.o)
add_custom_command(OUTPUT ${weather_test_resources}
    COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_CURRENT_SOURCE_DIR}/win32
            -i ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/weather_test.rc -o ${weather_test_resources}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/win32/weather_test.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/city_dialog.rc
            ${CMAKE_CURRENT_SOURCE_DIR}/win32/weather_resources.h
    COMMENT "Compiling the weather tests' resources"
    VERBATIM
)
add_custom_target(weather_test_resources DEPENDS ${weather_test_resources})

set(weather_screenshots ${CMAKE_BINARY_DIR}/screenshots)
file(MAKE_DIRECTORY ${weather_screenshots})

suite_test(weather_win32_tests
    SOURCES
        tests/win32/city_dialog_test.cpp
        tests/win32/weather_client_test.cpp
        ${weather_test_resources}
    LIBS weather_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
add_dependencies(weather_win32_tests weather_test_resources)
target_compile_definitions(weather_win32_tests PRIVATE
    WEATHER_SCREENSHOT_DIR="${weather_screenshots}"
)
