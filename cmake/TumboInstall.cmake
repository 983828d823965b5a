# What an installation holds, laid out where a Linux desktop expects it:
#   bin/                          tumbo, tumbo-cli
#   share/tumbo/                  the shipped data (pictures, sound, tips, help, samples, tasks)
#   share/applications/           the menu entry, which opens .tdp, .tdw and .tda files
#   share/mime/packages/          the three file types
#   share/icons/hicolor/          the program icon and one icon per file type
#   share/man/man1/               tumbo.1 and tumbo-cli.1 (the latter made from `tumbo-cli --help`)
#   share/doc/robot-tumbo/        copyright and changelog
# The program looks for its data beside the executable first, then in ../share/tumbo,
# so the same layout serves /usr, /usr/local and any other prefix.
include(GNUInstallDirs)

set(TUMBO_INSTALL_DIR ${CMAKE_SOURCE_DIR}/src/app/install)
set(TUMBO_FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
set(TUMBO_DIR_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
  WORLD_READ WORLD_EXECUTE)
# Folders that install() creates on the way get the same rights, whatever the umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${TUMBO_DIR_PERMISSIONS})

foreach(program tumbo tumbo-cli)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/tumbo
  FILE_PERMISSIONS ${TUMBO_FILE_PERMISSIONS}
  DIRECTORY_PERMISSIONS ${TUMBO_DIR_PERMISSIONS}
  PATTERN ".keep" EXCLUDE)

install(FILES ${TUMBO_INSTALL_DIR}/tumbo.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
  PERMISSIONS ${TUMBO_FILE_PERMISSIONS})
install(FILES ${TUMBO_INSTALL_DIR}/tumbo-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
  RENAME tumbo.xml PERMISSIONS ${TUMBO_FILE_PERMISSIONS})
install(FILES ${TUMBO_INSTALL_DIR}/tumbo.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps PERMISSIONS ${TUMBO_FILE_PERMISSIONS})
install(FILES
    ${TUMBO_INSTALL_DIR}/application-x-tumbo-program.svg
    ${TUMBO_INSTALL_DIR}/application-x-tumbo-world.svg
    ${TUMBO_INSTALL_DIR}/application-x-tumbo-task.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/mimetypes
  PERMISSIONS ${TUMBO_FILE_PERMISSIONS})

if(TUMBO_MAN_PAGES)
  include(cmake/TumboManPages.cmake)
endif()
include(cmake/TumboDebianDocs.cmake)
