# The Debian package of the utility: `cpack -G DEB` in the build folder makes
# tr8kz-utility_<version>_<arch>.deb with every installed component (the
# desktop utility, tr8kz, tr8kz-sim, the desktop entry and icons, the udev
# rule). The project's own libraries are linked in statically, so the
# package needs only Qt's runtime libraries and Little CMS.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tr8kz-utility")
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Utility for the TR8 KZ colour measurement sensor")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "tr8kz-utility")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME "tr8kz-utility")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "TR8 KZ Utility maintainers <support@velmora.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://velmora.example/tr8kz")
# The extended description; CPack puts the summary above it as the synopsis.
string(CONCAT CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Identifies the attached TR8 KZ, captures its datalog into delimited text\n"
  "files, converts stored datalog files, archives, restores and edits its\n"
  "product setups, sets its clock and captures its screen.\n"
  "\n"
  "The package holds the desktop utility (tr8kz-utility), the command-line\n"
  "front end (tr8kz), a simulated instrument on a pseudo-terminal\n"
  "(tr8kz-sim), a desktop entry and a udev rule that gives the logged-in\n"
  "operator access to the instrument's serial device.")
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4), libqt6serialport6 (>= 6.4), qt6-qpa-plugins (>= 6.4), libqt6charts6 (>= 6.4), libqt6svg6 (>= 6.4), liblcms2-2 (>= 2.9)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")

include(CPack)
