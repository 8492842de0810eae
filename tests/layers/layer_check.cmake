# Fails when an include runs against the layers: platform < automation < core
# < app, and a driver sees only the contract and the platform. Below app, and
# in a driver outside its own dialog, no Qt header is included. A page of the
# main window (src/app/pages/<page>/) includes nothing of another page.
#
#   cmake -DLK40_ROOT=<source tree> -P layer_check.cmake
#
# An include names its layer as its first folder ("core/numbers.h"); one with
# no folder is a file of the includer's own folder. The project root and src/
# are no include roots, so "src/..." and "drivers/..." are refused, and so is
# any "..".
cmake_minimum_required(VERSION 3.25)
if(NOT LK40_ROOT)
  message(FATAL_ERROR "LK40_ROOT is not set")
endif()

set(layers platform automation core app contract)
# What each folder may include besides its own files.
set(allowed_src/platform platform)
set(allowed_src/automation platform automation contract)
set(allowed_src/core platform automation core)
set(allowed_src/app platform automation core app)
set(allowed_drivers/contract contract)
set(allowed_driver platform contract)  # every other folder under drivers/

file(GLOB_RECURSE sources RELATIVE ${LK40_ROOT}
  ${LK40_ROOT}/src/*.h ${LK40_ROOT}/src/*.cpp ${LK40_ROOT}/src/*.c
  ${LK40_ROOT}/drivers/*.h ${LK40_ROOT}/drivers/*.cpp ${LK40_ROOT}/drivers/*.c)

set(broken 0)
foreach(source IN LISTS sources)
  string(REGEX MATCH "^(src/[^/]+|drivers/[^/]+)" folder ${source})
  if(DEFINED allowed_${folder})
    set(allowed ${allowed_${folder}})
  elseif(folder MATCHES "^drivers/")
    set(allowed ${allowed_driver})
  else()
    message("${source}: in no layer")
    math(EXPR broken "${broken} + 1")
    continue()
  endif()
  # Qt belongs to the windows, and to a driver's own dialog.
  set(qt_allowed FALSE)
  if(folder STREQUAL "src/app" OR (folder MATCHES "^drivers/" AND source MATCHES "dialog[^/]*$"))
    set(qt_allowed TRUE)
  endif()

  # The page a file belongs to, if any: it may include pages/ itself and its own folder.
  set(own_page "")
  if(source MATCHES "^src/app/pages/([^/]+)/")
    set(own_page ${CMAKE_MATCH_1})
  endif()

  file(STRINGS ${LK40_ROOT}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*([<\"]([^>\"]*)[>\"]).*" "\\2;\\1" parts "${line}")
    list(GET parts 0 name)
    list(GET parts 1 written)
    set(why "")
    if(name MATCHES "^Q[A-Za-z]" AND NOT qt_allowed)
      set(why "Qt outside the windows and a driver's own dialog")
    elseif(name MATCHES "(^|/)\\.\\.(/|$)")
      set(why "an include that climbs out of its folder")
    elseif(name MATCHES "^(src|drivers)/")
      set(why "the project tree is no include root")
    elseif(own_page AND name MATCHES "^pages/([^/]+)/" AND NOT CMAKE_MATCH_1 STREQUAL own_page)
      set(why "a page includes nothing of another page")
    elseif(name MATCHES "^([^/]+)/")
      set(layer ${CMAKE_MATCH_1})
      if(layer IN_LIST layers AND NOT layer IN_LIST allowed)
        string(REPLACE ";" ", " names "${allowed}")
        set(why "${folder} may include only ${names}")
      endif()
    endif()
    if(why)
      message("${source}: #include ${written}: ${why}")
      math(EXPR broken "${broken} + 1")
    endif()
  endforeach()
endforeach()

list(LENGTH sources count)
if(broken GREATER 0)
  message(FATAL_ERROR "${broken} includes break the layers (in ${count} files)")
endif()
message("${count} files keep to the layers")
