# The version comes from the newest entry of the Debian changelog, "metaballs (UPSTREAM-REVISION) ...".
file(STRINGS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog changelog_head LIMIT_COUNT 1)
if(NOT changelog_head MATCHES "^metaballs \\(([0-9.]+)-([0-9]+)\\) ")
  message(FATAL_ERROR "app/debian/changelog does not start with 'metaballs (VERSION-REVISION) ...'")
endif()
set(METABALLS_VERSION ${CMAKE_MATCH_1})
set(METABALLS_DEBIAN_REVISION ${CMAKE_MATCH_2})
