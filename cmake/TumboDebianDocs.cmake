# The package's own documents in share/doc/robot-tumbo: the copyright in Debian's
# machine-readable form and the changelog, compressed without a time stamp.
set(TUMBO_DEBIAN_DIR ${CMAKE_SOURCE_DIR}/cmake/debian)
set(TUMBO_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/robot-tumbo)

# The changelog's newest entry names the version the package is built with; a project
# version raised without a changelog entry is caught here instead of by the package tools.
file(STRINGS ${TUMBO_DEBIAN_DIR}/changelog _tumbo_newest LIMIT_COUNT 1)
if(NOT _tumbo_newest MATCHES "^robot-tumbo \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "cmake/debian/changelog: the newest entry must be for version "
    "${PROJECT_VERSION} (the project version), found: ${_tumbo_newest}")
endif()

add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/doc/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/doc
  COMMAND ${CMAKE_COMMAND} -E copy ${TUMBO_DEBIAN_DIR}/changelog ${CMAKE_BINARY_DIR}/doc/changelog
  COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/doc/changelog
  DEPENDS ${TUMBO_DEBIAN_DIR}/changelog
  COMMENT "Compressing the changelog"
  VERBATIM)
add_custom_target(tumbo_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/doc/changelog.gz)

install(FILES ${TUMBO_DEBIAN_DIR}/copyright ${CMAKE_BINARY_DIR}/doc/changelog.gz
  DESTINATION ${TUMBO_DOC_DIR} PERMISSIONS ${TUMBO_FILE_PERMISSIONS})
install(FILES ${TUMBO_DEBIAN_DIR}/lintian-overrides
  DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME robot-tumbo
  PERMISSIONS ${TUMBO_FILE_PERMISSIONS})
