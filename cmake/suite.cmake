# Build conventions shared by every folder of the suite.
#
# Trees (see CMakePresets.json):
#   native   - Linux g++: logic libraries, unit tests, benchmarks, lunarcal
#   sanitize - the native tests again under AddressSanitizer + UBSan
#   fuzz     - clang + libFuzzer: only the logic libraries and fuzz targets
#   windows  - mingw-w64 i686: the product and the same tests, run under Wine
#   windows64 - mingw-w64 x86_64: the same product and tests under 64-bit Wine

set(SUITE_WINDOWS OFF)
if(WIN32)
    set(SUITE_WINDOWS ON)
endif()

if(SUITE_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(SUITE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "The fuzz tree needs clang (libFuzzer)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

if(SUITE_WINDOWS)
    # The product targets Windows 7 and later; windows.h without min/max macros.
    add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 NOMINMAX WIN32_LEAN_AND_MEAN)
    # Test programs run under Wine through this wrapper (prefix, locale,
    # display); the toolchain file names the Wine loader and prefix kind.
    if(NOT SUITE_WINE_LOADER OR NOT SUITE_WINE_ARCH OR NOT SUITE_MINGW_RUNTIME_DLL_NAMES)
        message(FATAL_ERROR "the toolchain file must set SUITE_WINE_LOADER, SUITE_WINE_ARCH and "
                            "SUITE_MINGW_RUNTIME_DLL_NAMES")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/wine-run.sh.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
                   FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ
                                    WORLD_EXECUTE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)

    # The mingw runtime is linked as DLLs (a C++ exception thrown in one of our
    # DLLs must reach a catch in another, which a static runtime per module
    # breaks), so the DLLs travel next to every program. Which DLLs those are
    # depends on the target (the toolchain file lists them); the compiler
    # says where they are.
    set(SUITE_MINGW_RUNTIME_DLLS)
    foreach(dll ${SUITE_MINGW_RUNTIME_DLL_NAMES})
        execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                        OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
            message(FATAL_ERROR "mingw runtime ${dll} not found (${dll_path})")
        endif()
        list(APPEND SUITE_MINGW_RUNTIME_DLLS ${dll_path})
    endforeach()
    file(COPY ${SUITE_MINGW_RUNTIME_DLLS} DESTINATION ${CMAKE_BINARY_DIR}/bin)
    install(FILES ${SUITE_MINGW_RUNTIME_DLLS} DESTINATION .)
endif()

# libstdc++ 12's <chrono> holds one literal, "\u00b5s" (the suffix it prints
# for microseconds), that code page 936 cannot store, so with our execution
# character set every file including <chrono> fails to compile. The build
# uses a copy of that header with the suffix spelled "us"; the copy is made
# from the compiler's own header at configure time, so it follows the
# compiler version, and only this literal differs.
function(suite_patch_chrono_header)
    if(SUITE_FUZZ OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        return()
    endif()
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "#include <chrono>"
                    COMMAND ${CMAKE_CXX_COMPILER} -std=c++20 -x c++ -E -H -o /dev/null -
                    ERROR_VARIABLE included OUTPUT_QUIET)
    string(REGEX MATCH "\\. ([^\n]*/chrono)\n" found "${included}")
    if(NOT CMAKE_MATCH_1)
        message(FATAL_ERROR "could not find the compiler's <chrono> header")
    endif()
    file(READ "${CMAKE_MATCH_1}" chrono)
    string(REPLACE "\"\\u00b5s\"" "\"us\"" chrono "${chrono}")
    file(WRITE ${CMAKE_BINARY_DIR}/compat/chrono "${chrono}")
    include_directories(BEFORE SYSTEM ${CMAKE_BINARY_DIR}/compat)
endfunction()
suite_patch_chrono_header()

# Options for code written here (not for GoogleTest or other outside code).
function(suite_code_options target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Werror)
    # Narrow strings are GBK in both builds: literals in our UTF-8 sources are
    # stored in Windows code page 936.  Clang has no such converter, so the fuzz
    # tree keeps UTF-8 literals; fuzz targets test parsing, not texts.
    if(NOT SUITE_FUZZ)
        target_compile_options(${target} PRIVATE -finput-charset=UTF-8 -fexec-charset=CP936)
    endif()
endfunction()

macro(suite_add_googletest)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    # Debian's googletest sources: nothing is downloaded at build time.
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    if(NOT SUITE_WINDOWS AND NOT SUITE_SANITIZE)
        find_package(benchmark REQUIRED)
        set(SUITE_BENCHMARKS ON)
    endif()
endmacro()

# suite_core_library(name SOURCES ... [LIBS ...])
# A folder's platform-free logic: built and tested in every tree.
function(suite_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
    suite_code_options(${name})
endfunction()

# suite_test(name SOURCES ... [LIBS ...] [WINDOWS_ONLY] [DESKTOP])
# A GoogleTest program, registered with CTest as one test that writes its
# results to results/<name>.xml (relative: Wine does not map absolute paths
# in --gtest_output).
function(suite_test name)
    cmake_parse_arguments(ARG "WINDOWS_ONLY;DESKTOP" "" "SOURCES;LIBS" ${ARGN})
    if(SUITE_FUZZ OR SUITE_HOST_TOOLS OR (ARG_WINDOWS_ONLY AND NOT SUITE_WINDOWS))
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} gmock gtest_main)
    target_compile_definitions(${name} PRIVATE SUITE_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
    suite_code_options(${name})
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:results/${name}.xml
             WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "TZ=Asia/Shanghai" LABELS gtest)
    if(ARG_DESKTOP)
        # Programs that show windows, menus or message boxes, or read the
        # screen, share one display: run them one at a time so no window of
        # one program lands over another's.
        set_tests_properties(${name} PROPERTIES RESOURCE_LOCK desktop)
    endif()
endfunction()

# suite_fuzz_target(name SOURCES ... [LIBS ...] SEEDS dir)
# A libFuzzer target; CTest runs it for a few seconds from its seed corpus.
# Longer runs: build/fuzz/bin/<name> -max_total_time=3600 <corpus-dir> <seeds>
function(suite_fuzz_target name)
    cmake_parse_arguments(ARG "" "SEEDS" "SOURCES;LIBS" ${ARGN})
    if(NOT SUITE_FUZZ)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
    suite_code_options(${name})
    set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
    file(MAKE_DIRECTORY ${corpus})
    add_test(NAME ${name} COMMAND ${name} -max_total_time=5 -print_final_stats=0 ${corpus} ${ARG_SEEDS})
endfunction()

# suite_benchmark(name SOURCES ... [LIBS ...])
# A Google Benchmark program (native tree only). CTest runs it once briefly so
# a broken benchmark is noticed; figures come from running it by hand.
function(suite_benchmark name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    if(NOT SUITE_BENCHMARKS)
        return()
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark benchmark::benchmark_main)
    suite_code_options(${name})
    add_test(NAME ${name} COMMAND ${name} --benchmark_min_time=0.01)
endfunction()

# suite_windows_dll(target OUTPUT_NAME name BUILD_MACRO macro SOURCES ... [LIBS ...] [DESTINATION dir])
# A DLL of the product (Windows tree only): built as <name>.dll (no "lib"
# prefix) with `macro` defined while compiling it, so the library's API
# header can switch between dllexport and dllimport, and installed into the
# assembled program (dist/, or dist/<dir>). A static core library that goes
# into the DLL needs the same macro: target_compile_definitions(core PUBLIC
# ...) is wrong (users would export), so give it PRIVATE in the core's
# CMakeLists when SUITE_WINDOWS.
function(suite_windows_dll target)
    cmake_parse_arguments(ARG "" "OUTPUT_NAME;BUILD_MACRO;DESTINATION" "SOURCES;LIBS" ${ARGN})
    if(NOT SUITE_WINDOWS)
        return()
    endif()
    add_library(${target} SHARED ${ARG_SOURCES})
    set_target_properties(${target} PROPERTIES OUTPUT_NAME ${ARG_OUTPUT_NAME} PREFIX "" IMPORT_PREFIX "")
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR})
    target_compile_definitions(${target} PRIVATE ${ARG_BUILD_MACRO})
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
    suite_code_options(${target})
    if(NOT ARG_DESTINATION)
        set(ARG_DESTINATION .)
    endif()
    install(TARGETS ${target} RUNTIME DESTINATION ${ARG_DESTINATION})
endfunction()
