# Cross compiling the Windows product: 32-bit mingw-w64 with the posix thread
# model (std::thread and std::mutex need it).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(CMAKE_C_COMPILER i686-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER i686-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER i686-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/i686-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The shared mingw runtime of this target: i686 unwinds with DWARF-2 tables,
# hence libgcc_s_dw2-1.dll. Programs and their test folders ship these.
set(SUITE_MINGW_RUNTIME_DLL_NAMES libstdc++-6.dll libgcc_s_dw2-1.dll libwinpthread-1.dll)
# Wine's loader for 32-bit programs, called directly rather than through
# Debian's wrapper script.
set(SUITE_WINE_ARCH win32)
set(SUITE_WINE_LOADER /usr/lib/wine/wine)
