# The files the package carries besides the programs, their icons and the
# udev rule: the copyright (machine-readable, DEP-5) and the changelog in the
# package's documentation folder, lintian's overrides, the bash completion of
# tr8kz, and the AppStream metadata of the desktop utility.
set(TR8KZ_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
set(TR8KZ_DOC_DIR share/doc/tr8kz-utility)

configure_file(${CMAKE_CURRENT_LIST_DIR}/copyright.in ${TR8KZ_PACKAGING_DIR}/copyright @ONLY)
install(FILES ${TR8KZ_PACKAGING_DIR}/copyright DESTINATION ${TR8KZ_DOC_DIR} COMPONENT doc)

# gzip -9n: the best compression and no name or time stamp inside, so that
# the same changelog always gives the same bytes.
find_program(GZIP_EXECUTABLE gzip REQUIRED)
configure_file(${TR8KZ_CHANGELOG} ${TR8KZ_PACKAGING_DIR}/changelog.Debian COPYONLY)
add_custom_command(OUTPUT ${TR8KZ_PACKAGING_DIR}/changelog.Debian.gz
  COMMAND ${GZIP_EXECUTABLE} -9nkf ${TR8KZ_PACKAGING_DIR}/changelog.Debian
  DEPENDS ${TR8KZ_PACKAGING_DIR}/changelog.Debian
  VERBATIM)
add_custom_target(tr8kz-changelog ALL DEPENDS ${TR8KZ_PACKAGING_DIR}/changelog.Debian.gz)
install(FILES ${TR8KZ_PACKAGING_DIR}/changelog.Debian.gz DESTINATION ${TR8KZ_DOC_DIR} COMPONENT doc)

# lintian's overrides for this package, each with its reason.
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
  DESTINATION share/lintian/overrides RENAME tr8kz-utility COMPONENT doc)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/tr8kz.bash-completion
  DESTINATION share/bash-completion/completions RENAME tr8kz COMPONENT cli)

set(TR8KZ_METAINFO example.velmora.tr8kz_utility.metainfo.xml)
configure_file(${CMAKE_CURRENT_LIST_DIR}/${TR8KZ_METAINFO}.in ${TR8KZ_PACKAGING_DIR}/${TR8KZ_METAINFO} @ONLY)
install(FILES ${TR8KZ_PACKAGING_DIR}/${TR8KZ_METAINFO} DESTINATION share/metainfo COMPONENT desktop)
