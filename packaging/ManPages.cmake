# Manual pages of the three programs, made at build time by help2man from
# each program's own --help and --version, so that a page cannot describe
# options its program does not have. The programs answer both without a
# display; the pages are made with none, so that they come out the same on
# every machine. Installed gzipped (-9n: no name or time stamp inside) as
# share/man/man1/PROGRAM.1.gz.
find_program(HELP2MAN_EXECUTABLE help2man)
find_program(GZIP_EXECUTABLE gzip)
if(NOT HELP2MAN_EXECUTABLE OR NOT GZIP_EXECUTABLE)
  message(WARNING "help2man or gzip is missing (scripts/setup-machine installs both): no manual pages are made")
  return()
endif()

set(TR8KZ_MAN_DIR ${CMAKE_BINARY_DIR}/packaging/man)
file(MAKE_DIRECTORY ${TR8KZ_MAN_DIR})
set(tr8kz_man_pages)

# tr8kz_man_page(PROGRAM COMPONENT WHATIS): WHATIS is the one line after the
# program's name in the NAME section; packaging/man/PROGRAM.h2m adds the
# sections --help has no words for.
function(tr8kz_man_page program component whatis)
  if(NOT TARGET ${program})
    return()
  endif()
  set(page ${TR8KZ_MAN_DIR}/${program}.1)
  set(extra ${PROJECT_SOURCE_DIR}/packaging/man/${program}.h2m)
  add_custom_command(OUTPUT ${page} ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env
            --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM
            SOURCE_DATE_EPOCH=${TR8KZ_RELEASE_EPOCH} LC_ALL=C.UTF-8
            ${HELP2MAN_EXECUTABLE} --no-info --section=1 --name=${whatis}
            --include=${extra} --output=${page} $<TARGET_FILE:${program}>
    # help2man knows no "Exit status:" heading and makes it a sub-section of
    # the one before; it is a section of its own in a manual page.
    COMMAND sed -i -e "s/^\\.SS \"Exit status:\"$/.SH \"EXIT STATUS\"/" ${page}
    COMMAND ${GZIP_EXECUTABLE} -9nkf ${page}
    DEPENDS ${program} ${extra}
    COMMENT "Writing the manual page of ${program}"
    VERBATIM)
  install(FILES ${page}.gz DESTINATION share/man/man1 COMPONENT ${component})
  set(tr8kz_man_pages ${tr8kz_man_pages} ${page}.gz PARENT_SCOPE)
endfunction()

tr8kz_man_page(tr8kz-utility Unspecified "desktop utility of the TR8 KZ colour sensor")
tr8kz_man_page(tr8kz cli "the TR8 KZ colour sensor from the command line")
tr8kz_man_page(tr8kz-sim cli "simulated TR8 KZ colour sensor on a pseudo-terminal")
add_custom_target(tr8kz-man-pages ALL DEPENDS ${tr8kz_man_pages})
