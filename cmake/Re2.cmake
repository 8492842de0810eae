# RE2, the regular-expression engine of the scripted run's `expect ... ~`: its
# time is linear in the text, it does not recurse, and it reads UTF-8. The
# target lk40::re2 is Debian's libre2-dev on a native build; a cross-build
# (Debian has no RE2 for mingw-w64) compiles a static RE2 from Debian's re2
# source, which scripts/lib/common.sh (lk40_use_re2_source) unpacks and names
# in LK40_RE2_SOURCE_DIR, for any mingw-w64 toolchain.
if(TARGET lk40::re2)
  return()
endif()

if(NOT CMAKE_CROSSCOMPILING)
  find_path(LK40_RE2_INCLUDE_DIR re2/re2.h)
  find_library(LK40_RE2_LIBRARY re2)
  if(NOT LK40_RE2_INCLUDE_DIR OR NOT LK40_RE2_LIBRARY)
    message(FATAL_ERROR "RE2 is missing: install Debian's libre2-dev (scripts/test does)")
  endif()
  add_library(lk40::re2 UNKNOWN IMPORTED GLOBAL)
  set_target_properties(lk40::re2 PROPERTIES
    IMPORTED_LOCATION ${LK40_RE2_LIBRARY}
    INTERFACE_INCLUDE_DIRECTORIES ${LK40_RE2_INCLUDE_DIR})
  return()
endif()

set(LK40_RE2_SOURCE_DIR "$ENV{LK40_RE2_SOURCE_DIR}" CACHE PATH "RE2's source tree, for a cross-build")
# The Unicode tables are generated when the source is unpacked; without them
# the tree is not ready.
if(NOT EXISTS "${LK40_RE2_SOURCE_DIR}/re2/re2.h" OR NOT EXISTS "${LK40_RE2_SOURCE_DIR}/re2/unicode_groups.cc")
  message(FATAL_ERROR "LK40_RE2_SOURCE_DIR (\"${LK40_RE2_SOURCE_DIR}\") holds no prepared RE2 source: "
    "run scripts/test-windows, or lk40_use_re2_source of scripts/lib/common.sh")
endif()
# The library's sources are re2/*.cc and two of util/; the tests, fuzzers and
# benchmarks lie in other folders or files. RE2's own CMakeLists is not used,
# so its install rules stay out of the installer.
file(GLOB LK40_RE2_SOURCES ${LK40_RE2_SOURCE_DIR}/re2/*.cc)
add_library(lk40_re2 STATIC ${LK40_RE2_SOURCES}
  ${LK40_RE2_SOURCE_DIR}/util/rune.cc ${LK40_RE2_SOURCE_DIR}/util/strutil.cc)
target_include_directories(lk40_re2 SYSTEM PUBLIC ${LK40_RE2_SOURCE_DIR})
if(WIN32)
  target_compile_definitions(lk40_re2 PRIVATE UNICODE _UNICODE STRICT NOMINMAX)
endif()
set_target_properties(lk40_re2 PROPERTIES POSITION_INDEPENDENT_CODE ON)
add_library(lk40::re2 ALIAS lk40_re2)
