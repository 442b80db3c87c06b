# strip, which an installation with --strip and CPack (CPACK_STRIP_FILES) run
# on the programs, keeps the .comment section (the compilers' version
# strings) and .note, which no program reads; Debian's packages leave both
# out. Each rule runs after the program's own, which lies earlier in the
# tree (app/exe) or earlier in this folder (cli).
if(NOT CMAKE_OBJCOPY)
  message(WARNING "objcopy is missing: stripped programs keep their .comment section")
  return()
endif()
foreach(program tr8kz-utility tr8kz tr8kz-sim)
  if(NOT TARGET ${program})
    continue()
  endif()
  if(program STREQUAL "tr8kz-utility")
    set(component Unspecified)
  else()
    set(component cli)
  endif()
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      set(installed \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/$<TARGET_FILE_NAME:${program}>\")
      execute_process(COMMAND \"${CMAKE_OBJCOPY}\" --remove-section=.comment --remove-section=.note \"\${installed}\"
                      RESULT_VARIABLE failed)
      if(failed)
        message(FATAL_ERROR \"objcopy could not remove the .comment section of \${installed}: \${failed}\")
      endif()
    endif()"
    COMPONENT ${component})
endforeach()
