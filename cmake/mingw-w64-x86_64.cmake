# Cross build of the 64-bit DLLs and test programs with MinGW-w64; tests run under Wine.
set(TELVANE_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
