# The Windows trees run the suite's real network code against the real
# service: tessary-site is built again as a native host tool (the whole
# source tree configured for the build machine, host tools only, so no
# native tree is needed beside this one), and a CTest fixture starts it
# before the tests that need it and stops it afterwards.
include(ExternalProject)
set(site_host_dir ${CMAKE_BINARY_DIR}/site-host)
set(site_program ${site_host_dir}/bin/tessary-site)
ExternalProject_Add(site_host
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${site_host_dir}
    CMAKE_ARGS -DCMAKE_BUILD_TYPE=Release -DCMAKE_C_COMPILER=gcc -DCMAKE_CXX_COMPILER=g++ -DSUITE_HOST_TOOLS=ON
               -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER}
               -DCMAKE_C_COMPILER_LAUNCHER=${CMAKE_C_COMPILER_LAUNCHER}
    BUILD_COMMAND ${CMAKE_COMMAND} --build ${site_host_dir} --target tessary-site --parallel 2
    INSTALL_COMMAND ""
    BUILD_ALWAYS ON  # its own build decides what changed
    BUILD_BYPRODUCTS ${site_program}
)

# The fixture's service: the operator pages checked in beside this file, and
# a published folder holding the skin update tests' stand-in package as the
# skin "Blue" (its program puts Calendar\SkinsBlue beside itself).
set(site_fixture_dir ${CMAKE_BINARY_DIR}/site-fixture)
configure_file(tests/win32/site_fixture.ini.in ${site_fixture_dir}/tessary-site.ini @ONLY)
add_custom_command(OUTPUT ${site_fixture_dir}/skins/Blue.rar
    COMMAND ${CMAKE_COMMAND} -E make_directory ${site_fixture_dir}/skins
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:fixture_skin_package> ${site_fixture_dir}/skins/Blue.rar
    DEPENDS fixture_skin_package
    COMMENT "Publishing the stand-in skin package for the site fixture"
    VERBATIM
)
add_custom_target(site_fixture_skins ALL DEPENDS ${site_fixture_dir}/skins/Blue.rar)

# The suite's own skins (the folders tools/artgen draws; keep this list with
# its table) as published packages: build/<tree>/published-skins/ is the
# folder ./run.sh's service publishes.
set(site_published_dir ${CMAKE_BINARY_DIR}/published-skins)
set(site_published_targets)
foreach(skin SkinsDefault SkinsJade SkinsAmber SkinsNight)
    set(skin_rc ${CMAKE_CURRENT_BINARY_DIR}/${skin}.rc)
    set(skin_res ${CMAKE_CURRENT_BINARY_DIR}/${skin}.res.o)
    add_custom_command(OUTPUT ${skin_res}
        COMMAND ${CMAKE_COMMAND} -DSKIN_FOLDER=${CMAKE_BINARY_DIR}/art/modules/Calendar/${skin} -DSKIN_NAME=${skin}
                -DOUTPUT=${skin_rc} -P ${CMAKE_CURRENT_SOURCE_DIR}/win32/skin_package_rc.cmake
        COMMAND ${CMAKE_RC_COMPILER} -O coff -i ${skin_rc} -o ${skin_res}
        DEPENDS ${CMAKE_BINARY_DIR}/art.stamp ${CMAKE_CURRENT_SOURCE_DIR}/win32/skin_package_rc.cmake
        COMMENT "Packing the skin ${skin}"
        VERBATIM
    )
    add_executable(skin_package_${skin} WIN32 win32/skin_package.cpp ${skin_res})
    add_dependencies(skin_package_${skin} art)
    set_target_properties(skin_package_${skin} PROPERTIES OUTPUT_NAME ${skin}
                          RUNTIME_OUTPUT_DIRECTORY ${site_published_dir})
    target_include_directories(skin_package_${skin} PRIVATE ${PROJECT_SOURCE_DIR})
    target_link_options(skin_package_${skin} PRIVATE -static)
    suite_code_options(skin_package_${skin})
    list(APPEND site_published_targets skin_package_${skin})
endforeach()

set(site_fixture_script ${CMAKE_CURRENT_SOURCE_DIR}/tests/site_fixture.sh)
add_test(NAME site_service_start COMMAND ${site_fixture_script} start ${site_program} ${site_fixture_dir})
# The service dates its forecasts in its own time zone: the same as the
# Wine tests' (they run in China time).
set_tests_properties(site_service_start PROPERTIES FIXTURES_SETUP site_service ENVIRONMENT "TZ=Asia/Shanghai")
add_test(NAME site_service_stop COMMAND ${site_fixture_script} stop ${site_program} ${site_fixture_dir})
set_tests_properties(site_service_stop PROPERTIES FIXTURES_CLEANUP site_service)

# The loader's resources, compiled in the loader's folder: the test's
# LoaderWindow finds its icons and dialog templates in its own program.
set(site_loader_resources ${CMAKE_BINARY_DIR}/loader/tessary.res.o)
suite_test(site_win32_tests
    SOURCES
        tests/win32/site_service_test.cpp
        tests/win32/skin_package_test.cpp
        ${PROJECT_SOURCE_DIR}/loader/tests/win32/fixture_folder.cpp
        ${site_loader_resources}
    LIBS loader_win32 weather_win32 testkit
    WINDOWS_ONLY
    DESKTOP
)
add_dependencies(site_win32_tests site_host site_fixture_skins loader_resources fixture_skin_package
                 ${site_published_targets})
set_tests_properties(site_win32_tests PROPERTIES FIXTURES_REQUIRED site_service)
