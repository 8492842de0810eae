# Windows: what the bench needs beside its executable, to run from the build
# folder (tests under Wine) and from an installed tree alike. These are the
# Qt DLLs and plugins that windeployqt would pick for a Widgets program, less
# the image format plugins: the bench's pictures are PNG, which QtGui reads
# itself. The offscreen platform is the scripted run's (--run), which needs
# no desktop. Qt comes from LK40_QT_WINDOWS, the prefix scripts/build-qt-windows
# makes; with only Qt's build tree there (headers, no DLLs) there is nothing
# to deploy, and only the compilation of the bench is checked.
set(LK40_QT_DLLS Qt6Core Qt6Gui Qt6Widgets)
# Qt's own texts in Russian (the file dialog, the standard buttons): Qt's
# Windows build from qt6-base has no translations, and these files are the
# same on every system, so Debian's (qt6-translations-l10n) go beside the
# executable, where installQtTranslations looks first.
find_file(LK40_QT_RU_TRANSLATION qtbase_ru.qm PATHS /usr/share/qt6/translations
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
set(LK40_QT_PLUGINS platforms/qwindows platforms/qoffscreen styles/qwindowsvistastyle)

# Each file as "<path below the Qt prefix>|<folder beside the executable>";
# the window tests need QtTest too, the installed bench does not.
function(lk40_qt_files out with_test)
  set(files)
  set(dlls ${LK40_QT_DLLS})
  if(with_test)
    list(APPEND dlls Qt6Test)
  endif()
  foreach(dll IN LISTS dlls)
    list(APPEND files "bin/${dll}.dll|.")
  endforeach()
  foreach(plugin IN LISTS LK40_QT_PLUGINS)
    get_filename_component(folder ${plugin} DIRECTORY)
    list(APPEND files "plugins/${plugin}.dll|${folder}")
  endforeach()
  set(${out} ${files} PARENT_SCOPE)
endfunction()

set(LK40_QT_WINDOWS_DEPLOYABLE OFF)
if(LK40_QT_WINDOWS)
  set(LK40_QT_WINDOWS_DEPLOYABLE ON)
  lk40_qt_files(files ON)
  foreach(entry IN LISTS files)
    string(REPLACE "|" ";" entry "${entry}")
    list(GET entry 0 file)
    if(NOT EXISTS ${LK40_QT_WINDOWS}/${file})
      set(LK40_QT_WINDOWS_DEPLOYABLE OFF)
    endif()
  endforeach()
endif()

# Copies the files beside the executables of the build folder, so that Wine
# finds them as Windows does, and installs them beside lk40-drvtest.exe.
function(lk40_deploy_qt)
  if(NOT LK40_QT_WINDOWS_DEPLOYABLE)
    return()
  endif()
  if(LK40_QT_RU_TRANSLATION)
    file(COPY ${LK40_QT_RU_TRANSLATION} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/translations)
    install(FILES ${LK40_QT_RU_TRANSLATION} DESTINATION ${CMAKE_INSTALL_BINDIR}/translations)
  else()
    message(WARNING "qtbase_ru.qm not found (Debian's qt6-translations-l10n): Qt's dialogs stay English")
  endif()
  foreach(with_test ON OFF)
    lk40_qt_files(files ${with_test})
    foreach(entry IN LISTS files)
      string(REPLACE "|" ";" entry "${entry}")
      list(GET entry 0 file)
      list(GET entry 1 folder)
      if(with_test)
        file(COPY ${LK40_QT_WINDOWS}/${file} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${folder})
      else()
        install(FILES ${LK40_QT_WINDOWS}/${file} DESTINATION ${CMAKE_INSTALL_BINDIR}/${folder})
      endif()
    endforeach()
  endforeach()
endfunction()
