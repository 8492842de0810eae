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
  # A Windows installer by NSIS: the bench, its Qt and the simulated module's
  # COM server in one folder, the server registered at install and
  # unregistered before its files go, a Start-menu entry with the icon, an
  # uninstaller. scripts/package-windows builds it.
  set(CPACK_GENERATOR NSIS)
  set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_NAME}-${PROJECT_VERSION}-win64)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY ${CPACK_PACKAGE_NAME})
  set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${CPACK_PACKAGE_NAME})
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_PACKAGE_NAME "lk40-drvtest ${PROJECT_VERSION}")
  set(CPACK_NSIS_DISPLAY_NAME "lk40-drvtest")
  # A 64-bit Unicode installer, as the bench is 64-bit and its captions are
  # Russian; this also runs on a Wine without its 32-bit half.
  set(CPACK_NSIS_DEFINES "Target amd64-unicode")
  set(CPACK_PACKAGE_EXECUTABLES lk40-drvtest "Тест драйвера ЛК-40")
  set(CPACK_NSIS_MUI_ICON ${LK40_DATA_DIR}/icons/lk40-drvtest.ico)
  set(CPACK_NSIS_MUI_UNIICON ${LK40_DATA_DIR}/icons/lk40-drvtest.ico)
  set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\lk40-drvtest.exe")
  set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
  # The server is registered as the bench is installed: for all users when
  # the installer runs for all users (as administrator, into Program Files),
  # else for the installing user; the uninstaller removes either. CPack
  # writes these through one more level of quoting: \\\" and \\\\ arrive in
  # the script as " and \.
  set(LK40_NSIS_SERVER "\\\"$INSTDIR\\\\bin\\\\AddIn.DrvTarvo.dll\\\"")
  set(LK40_NSIS_REGSVR "$SYSDIR\\\\regsvr32.exe /s")
  set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  StrCmp $SV_ALLUSERS \\\"AllUsers\\\" lk40_for_all_users
  ExecWait '${LK40_NSIS_REGSVR} ${LK40_NSIS_SERVER}'
  Goto lk40_registered
lk40_for_all_users:
  ExecWait '${LK40_NSIS_REGSVR} /n /i:machine ${LK40_NSIS_SERVER}'
lk40_registered:")
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  ExecWait '${LK40_NSIS_REGSVR} /u ${LK40_NSIS_SERVER}'
  ExecWait '${LK40_NSIS_REGSVR} /u /n /i:machine ${LK40_NSIS_SERVER}'")
  include(CPack)
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
