# The hardening Debian builds its packages with: fortified libc calls,
# stack protector, read-only relocations bound at start (relro, bindnow).
# Only the optimised builds that are packaged get them: _FORTIFY_SOURCE needs
# optimisation, and the sanitizer and fuzz builds bring checks of their own
# that these would only get in the way of.
if(NOT MSVC AND NOT TR8KZ_SANITIZE AND NOT TR8KZ_FUZZ)
  set(tr8kz_hardened_config $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
  add_compile_options(
    $<${tr8kz_hardened_config}:-U_FORTIFY_SOURCE>
    $<${tr8kz_hardened_config}:-D_FORTIFY_SOURCE=2>
    $<${tr8kz_hardened_config}:-fstack-protector-strong>)
  add_link_options(
    $<${tr8kz_hardened_config}:LINKER:-z,relro>
    $<${tr8kz_hardened_config}:LINKER:-z,now>)
  unset(tr8kz_hardened_config)
endif()
