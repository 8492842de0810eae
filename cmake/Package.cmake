# A Debian package of the installed tree: `cpack -G DEB` in a build folder, or
# scripts/package, which also configures the build the way a package wants it.
set(CPACK_PACKAGE_NAME lk40-drvtest)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "lk40 developers <dev@lk40-drvtest.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "test bench for the automation driver of the LK-40 weighing module")
set(CPACK_PACKAGE_DESCRIPTION
  "One button per driver operation: connection and device identity, service
settings, weighing, calibration, logical devices, weight channels and a soak
test, each showing the driver's result code and description, the frames sent
and received, the execution time and the values returned. A live weight
display with status lamps can log the weights to a file. A simulated module
is installed with the bench, so it works without hardware.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  # The Windows installer holds the 32-bit and the 64-bit bench, two build
  # folders, which CPack cannot put in one package: data/windows/lk40-drvtest.nsi,
  # which scripts/package-windows runs makensis on.
  return()
endif()

set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Libraries the bench and the driver link come from the binaries themselves;
# the platform plugins Qt loads at run time do not show there.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# Qt's own dialogs in Russian come with its translations.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, qt6-translations-l10n")

include(CPack)
