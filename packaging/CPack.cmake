# The Debian package of the utility: `cpack -G DEB` in the build folder makes
# tr8kz-utility_<version>-<revision>_<arch>.deb with every installed
# component (the desktop utility, tr8kz, tr8kz-sim, their manual pages, the
# bash completion, the desktop entry, icons and AppStream metadata, the udev
# rule, the copyright and changelog). The project's own libraries are linked
# in statically; the Depends field comes from the libraries the programs
# load (dpkg-shlibdeps, from dpkg-dev). tests/packaging checks the package
# with lintian.
set(TR8KZ_HOMEPAGE "https://velmora.example/tr8kz")
# AppStream takes the screenshot as a web address only: the picture is
# docs/images/main-window.png of this tree (packaging/make-screenshot makes
# it), published with the docs under the homepage.
set(TR8KZ_SCREENSHOT_URL "${TR8KZ_HOMEPAGE}/docs/images/main-window.png")

include(${CMAKE_CURRENT_LIST_DIR}/Release.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/ManPages.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/PackageFiles.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/StripSections.cmake)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "tr8kz-utility")
set(CPACK_PACKAGE_VENDOR "Velmora")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Utility for the TR8 KZ colour measurement sensor")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "tr8kz-utility")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_NAME "tr8kz-utility")
set(CPACK_DEBIAN_PACKAGE_RELEASE ${TR8KZ_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TR8KZ_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TR8KZ_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE "xz")
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
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt loads its platform plugins at run time, out of dpkg-shlibdeps' sight.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins (>= 6.4)")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udev")

include(CPack)
