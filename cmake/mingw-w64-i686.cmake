# Cross build of the 32-bit DLLs (for 32-bit mail clients). Its programs need a 32-bit Wine to
# run, so the scripts build them but do not run them.
set(TELVANE_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-common.cmake)
