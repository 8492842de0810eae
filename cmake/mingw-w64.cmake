# What the two toolchain files (mingw-w64-x86_64.cmake, mingw-w64-i686.cmake)
# share: Debian's mingw-w64 for the architecture they set in
# CMAKE_SYSTEM_PROCESSOR and LK40_MINGW_PREFIX, with the POSIX thread model,
# which std::thread and std::mutex need. The C and C++ runtimes are
# linked statically, so the executables and the COM server run on a bare
# Windows or Wine without the toolchain's DLLs beside them. Executables run
# under Wine wherever the build runs them (test discovery, CTest).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${LK40_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${LK40_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${LK40_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${LK40_MINGW_PREFIX})
# Qt for Windows, cross-built by scripts/build-qt-windows: its prefix, or its
# build tree when only its configure step has run (headers, no libraries).
if(LK40_QT_WINDOWS)
  list(APPEND CMAKE_FIND_ROOT_PATH ${LK40_QT_WINDOWS})
  list(APPEND CMAKE_PREFIX_PATH ${LK40_QT_WINDOWS})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES LK40_QT_WINDOWS)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(LK40_STATIC_RUNTIME "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${LK40_STATIC_RUNTIME}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${LK40_STATIC_RUNTIME}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${LK40_STATIC_RUNTIME}")

# wine64 itself rather than Debian's wrapper, which asks for the 32-bit Wine.
find_program(LK40_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_DEFAULT_PATH)
if(NOT LK40_WINE)
  find_program(LK40_WINE NAMES wine64 wine)
endif()
if(LK40_WINE)
  # Through a wrapper that repeats a run only when Wine's exit, not the
  # program, failed.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run ${LK40_WINE})
endif()
