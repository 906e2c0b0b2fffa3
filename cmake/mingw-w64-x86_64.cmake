# Cross-compiling for 64-bit Windows with MinGW-w64 (Debian:
# g++-mingw-w64-x86-64-posix). The posix thread model gives std::thread and
# std::mutex; every program and DLL is linked statically with the compiler's
# libraries, so it runs without the compiler's DLLs beside it (also under Wine).
# Qt's DLLs are imported all the same (-static picks the libraries that exist
# as archives, and Qt's import libraries are archives).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUORVANE_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUORVANE_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORVANE_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUORVANE_MINGW_PREFIX}-windres)

# Libraries and packages for the target only; the build machine's programs.
# The prefixes given in CMAKE_PREFIX_PATH are roots as well: Qt 6 built for
# the target (scripts/windows-qt.sh) lives outside the MinGW-w64 root.
set(CMAKE_FIND_ROOT_PATH /usr/${QUORVANE_MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static")
# Plugins are DLLs of their own kind (MODULE); without it Qt's plugins would
# need libstdc++-6.dll, libgcc_s_seh-1.dll and libwinpthread-1.dll beside them.
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static")

# pkg-config looks at the target's .pc files only, so the build machine's own
# libraries (libftdi1, libgpiod) are never taken for the target's.
set(ENV{PKG_CONFIG_LIBDIR} "/usr/${QUORVANE_MINGW_PREFIX}/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
