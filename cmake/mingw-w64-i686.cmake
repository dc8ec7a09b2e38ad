# Cross build of the 32-bit DLLs and test programs (for 32-bit mail clients, most of them);
# tests run under a 32-bit Wine.
set(TELVANE_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
