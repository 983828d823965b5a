# Manual pages: tumbo.1 is written by hand; tumbo-cli.1 is made from `tumbo-cli --help`
# with help2man, so the page never drifts from what the tool says. Pages are compressed
# without a time stamp, so the same sources give the same package. The package build
# makes them; other builds only when asked to (-DTUMBO_MAN_PAGES=ON).
set(TUMBO_MAN_DIR ${CMAKE_BINARY_DIR}/man)
set(TUMBO_MAN_PAGES ${TUMBO_MAN_DIR}/tumbo.1.gz)

add_custom_command(OUTPUT ${TUMBO_MAN_DIR}/tumbo.1.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${TUMBO_MAN_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${TUMBO_INSTALL_DIR}/tumbo.1 ${TUMBO_MAN_DIR}/tumbo.1
  COMMAND gzip -9nf ${TUMBO_MAN_DIR}/tumbo.1
  DEPENDS ${TUMBO_INSTALL_DIR}/tumbo.1
  COMMENT "Compressing the manual page of tumbo"
  VERBATIM)

find_program(HELP2MAN_PROGRAM help2man)
if(TARGET tumbo-cli AND HELP2MAN_PROGRAM)
  # help2man reads and writes UTF-8 only in a UTF-8 locale; the name line comes from the
  # include file, as help2man would mangle umlauts given on its command line.
  add_custom_command(OUTPUT ${TUMBO_MAN_DIR}/tumbo-cli.1.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TUMBO_MAN_DIR}
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen
      ${HELP2MAN_PROGRAM} --locale=C.UTF-8 --no-info --section=1
        --version-string=${PROJECT_VERSION} --include=${TUMBO_INSTALL_DIR}/tumbo-cli.h2m
        --output=${TUMBO_MAN_DIR}/tumbo-cli.1 $<TARGET_FILE:tumbo-cli>
    COMMAND gzip -9nf ${TUMBO_MAN_DIR}/tumbo-cli.1
    DEPENDS tumbo-cli ${TUMBO_INSTALL_DIR}/tumbo-cli.h2m
    COMMENT "Making the manual page of tumbo-cli from its --help text"
    VERBATIM)
  list(APPEND TUMBO_MAN_PAGES ${TUMBO_MAN_DIR}/tumbo-cli.1.gz)
elseif(TARGET tumbo-cli)
  message(FATAL_ERROR "The manual page of tumbo-cli needs help2man "
    "(make package-deps installs it).")
endif()

add_custom_target(tumbo_man_pages ALL DEPENDS ${TUMBO_MAN_PAGES})
install(FILES ${TUMBO_MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
  PERMISSIONS ${TUMBO_FILE_PERMISSIONS})
