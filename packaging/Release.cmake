# Which release the package is and who makes it, read from the top entry of
# packaging/changelog.Debian: the package's version and maintainer, the
# AppStream release entry and the date of the manual pages then always agree
# with the changelog. A new PROJECT_VERSION needs a new changelog entry.
#
# Sets TR8KZ_DEBIAN_REVISION, TR8KZ_MAINTAINER, TR8KZ_RELEASE_DATE
# (YYYY-MM-DD) and TR8KZ_RELEASE_EPOCH (seconds since 1970, UTC).
set(TR8KZ_CHANGELOG ${CMAKE_CURRENT_LIST_DIR}/changelog.Debian)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${TR8KZ_CHANGELOG})
file(STRINGS ${TR8KZ_CHANGELOG} tr8kz_heading LIMIT_COUNT 1)
file(STRINGS ${TR8KZ_CHANGELOG} tr8kz_trailer REGEX "^ -- " LIMIT_COUNT 1)

if(NOT tr8kz_heading MATCHES "^tr8kz-utility \\(([^()-]+)-([0-9A-Za-z.+~]+)\\) ")
  message(FATAL_ERROR "${TR8KZ_CHANGELOG}: the first line is no entry \"tr8kz-utility (VERSION-REVISION) ...\"")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "${TR8KZ_CHANGELOG}: the latest entry is for version ${CMAKE_MATCH_1}, "
                      "the project is ${PROJECT_VERSION}; add an entry for ${PROJECT_VERSION}")
endif()
set(TR8KZ_DEBIAN_REVISION ${CMAKE_MATCH_2})

set(tr8kz_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
if(NOT tr8kz_trailer MATCHES "^ -- (.+ <[^>]+>)  [A-Z][a-z][a-z], ([0-9][0-9]?) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
  message(FATAL_ERROR "${TR8KZ_CHANGELOG}: the first entry ends without \" -- NAME <ADDRESS>  DATE\"")
endif()
set(TR8KZ_MAINTAINER "${CMAKE_MATCH_1}")
set(tr8kz_day ${CMAKE_MATCH_2})
set(tr8kz_year ${CMAKE_MATCH_4})
list(FIND tr8kz_months ${CMAKE_MATCH_3} tr8kz_month)
if(tr8kz_month LESS 0)
  message(FATAL_ERROR "${TR8KZ_CHANGELOG}: \"${CMAKE_MATCH_3}\" is no month")
endif()
math(EXPR tr8kz_month "${tr8kz_month} + 1")
math(EXPR TR8KZ_RELEASE_DATE_ORDINAL "${tr8kz_year} * 10000 + ${tr8kz_month} * 100 + ${tr8kz_day}")
string(REGEX REPLACE "^(....)(..)(..)$" "\\1-\\2-\\3" TR8KZ_RELEASE_DATE "${TR8KZ_RELEASE_DATE_ORDINAL}")

# Days since 1970-01-01 of the civil date (the year counted from March, so
# that the leap day comes last).
if(tr8kz_month LESS_EQUAL 2)
  math(EXPR tr8kz_y "${tr8kz_year} - 1")
  math(EXPR tr8kz_m "${tr8kz_month} + 9")
else()
  set(tr8kz_y ${tr8kz_year})
  math(EXPR tr8kz_m "${tr8kz_month} - 3")
endif()
math(EXPR tr8kz_era "${tr8kz_y} / 400")
math(EXPR tr8kz_yoe "${tr8kz_y} - ${tr8kz_era} * 400")
math(EXPR tr8kz_doy "(153 * ${tr8kz_m} + 2) / 5 + ${tr8kz_day} - 1")
math(EXPR tr8kz_doe "${tr8kz_yoe} * 365 + ${tr8kz_yoe} / 4 - ${tr8kz_yoe} / 100 + ${tr8kz_doy}")
math(EXPR TR8KZ_RELEASE_EPOCH "(${tr8kz_era} * 146097 + ${tr8kz_doe} - 719468) * 86400")

unset(tr8kz_heading)
unset(tr8kz_trailer)
unset(tr8kz_months)
unset(tr8kz_month)
unset(tr8kz_day)
unset(tr8kz_year)
unset(tr8kz_y)
unset(tr8kz_m)
unset(tr8kz_era)
unset(tr8kz_yoe)
unset(tr8kz_doy)
unset(tr8kz_doe)
