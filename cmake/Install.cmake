# Where `cmake --install` puts the bench, its simulated driver and its desktop
# files. Included before the targets, whose own install rules use the folders.
include(GNUInstallDirs)

# The desktop's name for the bench: the desktop entry, the AppStream component
# and the window all go by it.
set(LK40_APP_ID ru.kelvor.lk40_drvtest)

# Plugins are private to the bench: lib/, not the multiarch library folder.
set(LK40_INSTALL_DRIVER_SUBDIR lib/lk40-drvtest/drivers)
set(LK40_INSTALL_DRIVER_DIR ${CMAKE_INSTALL_PREFIX}/${LK40_INSTALL_DRIVER_SUBDIR})
# The bench looks for the install folder relative to its own executable, so a
# tree installed under another prefix (a package's staging folder, a test's
# temporary one) finds its own driver.
file(RELATIVE_PATH LK40_INSTALL_DRIVER_DIR_FROM_BIN
  ${CMAKE_INSTALL_FULL_BINDIR} ${LK40_INSTALL_DRIVER_DIR})

set(LK40_DATA_DIR ${PROJECT_SOURCE_DIR}/data)
set(LK40_ICON_SIZES 16 32 48 64 128 256)

# On Windows an install is the bench with its Qt and the simulated module's
# COM server in one folder, which the installer registers.
# Beside them, in "examples", the example scripts of a scripted run and the
# simulated module's scenarios.
if(WIN32)
  include(${CMAKE_CURRENT_LIST_DIR}/WindowsDeploy.cmake)
  if(LK40_BUILD_APP)
    lk40_deploy_qt()
    file(GLOB LK40_EXAMPLE_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.txt
      ${PROJECT_SOURCE_DIR}/drivers/sim/scenarios/*.ini)
    install(FILES ${LK40_EXAMPLE_FILES} DESTINATION examples)
  endif()
  return()
endif()

# The rest describes the bench, which a build without the app does not have.
if(NOT LK40_BUILD_APP)
  return()
endif()

install(FILES ${LK40_DATA_DIR}/${LK40_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${LK40_DATA_DIR}/${LK40_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
install(FILES ${LK40_DATA_DIR}/icons/lk40-drvtest.svg
  DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
foreach(size IN LISTS LK40_ICON_SIZES)
  install(FILES ${LK40_DATA_DIR}/icons/lk40-drvtest-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps
    RENAME lk40-drvtest.png)
endforeach()

# The simulated module's guide and its example scenarios, so that an
# installed bench can rehearse a fault: LK40_SIM_SCENARIO=<examples>/flaky.ini.
# The manual page names both folders.
set(LK40_SIM_README_NAME README.sim-driver.md)
set(LK40_INSTALL_EXAMPLES_DIR ${CMAKE_INSTALL_FULL_DOCDIR}/examples)
file(GLOB LK40_SIM_SCENARIOS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/drivers/sim/scenarios/*.ini)
install(FILES ${LK40_SIM_SCENARIOS} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
# Beside them the example scripts of a scripted run (lk40-drvtest --run).
file(GLOB LK40_EXAMPLE_SCRIPTS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/examples/*.txt)
install(FILES ${LK40_EXAMPLE_SCRIPTS} DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The manual page, the changelog and the guide go compressed, as Debian wants
# them (-n: no name or time stamp, so the package builds the same twice).
set(LK40_MAN_PAGE ${CMAKE_BINARY_DIR}/data/lk40-drvtest.1)
set(LK40_SIM_README ${CMAKE_BINARY_DIR}/data/${LK40_SIM_README_NAME})
configure_file(${LK40_DATA_DIR}/lk40-drvtest.1.in ${LK40_MAN_PAGE} @ONLY)
configure_file(${LK40_DATA_DIR}/debian/changelog.in ${CMAKE_BINARY_DIR}/data/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/drivers/sim/README.md ${LK40_SIM_README} COPYONLY)
add_custom_command(
  OUTPUT ${LK40_MAN_PAGE}.gz ${CMAKE_BINARY_DIR}/data/changelog.gz ${LK40_SIM_README}.gz
  COMMAND gzip -9nf -k ${LK40_MAN_PAGE} ${CMAKE_BINARY_DIR}/data/changelog ${LK40_SIM_README}
  DEPENDS ${LK40_MAN_PAGE} ${CMAKE_BINARY_DIR}/data/changelog ${LK40_SIM_README}
  COMMENT "Compressing the manual page, the changelog and the simulated module's guide")
add_custom_target(lk40_compressed_docs ALL
  DEPENDS ${LK40_MAN_PAGE}.gz ${CMAKE_BINARY_DIR}/data/changelog.gz ${LK40_SIM_README}.gz)
install(FILES ${LK40_MAN_PAGE}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LK40_DATA_DIR}/debian/copyright ${CMAKE_BINARY_DIR}/data/changelog.gz ${LK40_SIM_README}.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
