# Windows: what the bench needs beside its executable, to run from the build
# folder (tests under Wine) and from an installed tree alike. These are the
# Qt DLLs and plugins that windeployqt would pick for a Widgets program, less
# the image format plugins: the bench's pictures are PNG, which QtGui reads
# itself. Qt comes from LK40_QT_WINDOWS, the prefix scripts/build-qt-windows
# makes; with only Qt's build tree there (headers, no DLLs) there is nothing
# to deploy, and only the compilation of the bench is checked.
set(LK40_QT_DLLS Qt6Core Qt6Gui Qt6Widgets)
set(LK40_QT_PLUGINS platforms/qwindows styles/qwindowsvistastyle)

set(LK40_QT_WINDOWS_DEPLOYABLE OFF)
if(LK40_QT_WINDOWS)
  set(LK40_QT_WINDOWS_DEPLOYABLE ON)
  foreach(file IN LISTS LK40_QT_DLLS LK40_QT_PLUGINS)
    if(file MATCHES "/")
      set(file plugins/${file})
    else()
      set(file bin/${file})
    endif()
    if(NOT EXISTS ${LK40_QT_WINDOWS}/${file}.dll)
      set(LK40_QT_WINDOWS_DEPLOYABLE OFF)
    endif()
  endforeach()
endif()

# Copies the DLLs and plugins beside the executables of the build folder
# (QtTest too, for the window tests), so that Wine finds them as Windows does.
function(lk40_deploy_qt_to_build_tree)
  if(NOT LK40_QT_WINDOWS_DEPLOYABLE)
    return()
  endif()
  foreach(dll IN LISTS LK40_QT_DLLS ITEMS Qt6Test)
    file(COPY ${LK40_QT_WINDOWS}/bin/${dll}.dll DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  endforeach()
  foreach(plugin IN LISTS LK40_QT_PLUGINS)
    get_filename_component(folder ${plugin} DIRECTORY)
    file(COPY ${LK40_QT_WINDOWS}/plugins/${plugin}.dll
      DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
  endforeach()
endfunction()

# The same files in the installed tree, beside lk40-drvtest.exe.
function(lk40_install_qt)
  if(NOT LK40_QT_WINDOWS_DEPLOYABLE)
    return()
  endif()
  foreach(dll IN LISTS LK40_QT_DLLS)
    install(FILES ${LK40_QT_WINDOWS}/bin/${dll}.dll DESTINATION ${CMAKE_INSTALL_BINDIR})
  endforeach()
  foreach(plugin IN LISTS LK40_QT_PLUGINS)
    get_filename_component(folder ${plugin} DIRECTORY)
    install(FILES ${LK40_QT_WINDOWS}/plugins/${plugin}.dll
      DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
  endforeach()
endfunction()
