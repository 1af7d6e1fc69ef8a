# `scripts/package`: a .deb of what cmake/Install.cmake installs, under /usr.
# dpkg-shlibdeps works out the Qt runtime packages from the programs.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pallworth)
set(CPACK_PACKAGE_VENDOR Brannock)
set(CPACK_PACKAGE_CONTACT "Brannock <pallworth@brannock.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "editor for file synchronisation configurations and copy task files")
set(CPACK_PACKAGE_DESCRIPTION
    "Pallworth edits the .cfg configuration of the server-to-server file synchronisation
engine and the .ini task file of Quorrel, the workstation copy tool. pallworth-cli
reads, checks, converts and writes both file kinds in scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION editors)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need a platform plugin; the library only recommends one.
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PALLWORTH_WEB_URL})
include(CPack)
