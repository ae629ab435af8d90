# Cross compiling the Windows product as a 64-bit build: x86_64 mingw-w64 with
# the posix thread model. Runs under 64-bit Wine on machines that cannot run
# 32-bit programs at all.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The shared mingw runtime of this target: x86_64 unwinds with SEH, hence
# libgcc_s_seh-1.dll. Programs and their test folders ship these.
set(SUITE_MINGW_RUNTIME_DLL_NAMES libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
# Wine's 64-bit loader, called directly: Debian's wrapper script always picks
# the 32-bit loader when wine32 is installed, even where it cannot run.
set(SUITE_WINE_ARCH win64)
set(SUITE_WINE_LOADER /usr/lib/wine/wine64)
