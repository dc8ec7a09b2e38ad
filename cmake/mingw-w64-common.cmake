# Shared part of the MinGW-w64 toolchain files; TELVANE_MINGW_TRIPLET names the target.
set(CMAKE_SYSTEM_NAME Windows)

# The win32-thread compilers: the posix ones link winpthread, which imports GetTickCount64, and
# Windows XP's loader refuses a DLL that imports it. The product starts no threads of its own.
# The benchmark tree alone takes the posix ones (TELVANE_MINGW_THREADS=posix): Google Benchmark
# needs std::thread, and nothing of that tree ships.
if(NOT TELVANE_MINGW_THREADS)
    set(TELVANE_MINGW_THREADS win32)
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES TELVANE_MINGW_THREADS)
set(CMAKE_C_COMPILER ${TELVANE_MINGW_TRIPLET}-gcc-${TELVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${TELVANE_MINGW_TRIPLET}-g++-${TELVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${TELVANE_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${TELVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Neither Wine nor the mail client can find MinGW's runtime DLLs: link the runtime in.
set(telvane_static_runtime "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${telvane_static_runtime}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${telvane_static_runtime}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${telvane_static_runtime}")

# CTest runs the test programs under Wine, in a prefix private to this build tree.
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${CMAKE_CURRENT_LIST_DIR}/../scripts/windows/wine-run.sh ${CMAKE_BINARY_DIR}/wineprefix)
