# Cross-building for 32-bit Windows (i686) with Debian's mingw-w64: the twin
# that loads 32-bit in-process drivers.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(LK40_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
