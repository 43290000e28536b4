# Install layout and the Debian package (cpack -G DEB in the build folder).
#
#   /usr/bin/tav-make-installation   makes or refreshes a user's installation (default ~/TAV)
#   /usr/bin/tav-menu                starts the user's menu, making the installation the first time
#   /usr/lib/tav/                    TAV_menu1, TAV_setup, the archive TAV_App.TAV, the sample screen
#                                    TAV_KOKY0100 and the programs of the demonstration system
#   /usr/share/tav/                  the setup program's readme, KOKY0100.SCR, the SQL schema files
#   /usr/share/applications/tav-menu.desktop
#   /usr/share/fontconfig/conf.avail/65-tav-fonts.conf, switched on by the absolute link
#                                    /etc/fonts/conf.d/65-tav-fonts.conf that the package ships
#   /usr/share/doc/tav/              copyright, changelog.gz;  /usr/share/man/man1/ the commands
#
# The menu is not run from /usr/lib/tav: it finds its system folders two levels above its own
# folder, so each user runs a copy in a folder of their own.

# The box through which the commands speak when started from the desktop.
add_executable(tav_message ${CMAKE_SOURCE_DIR}/packaging/tav_message.cpp)
target_link_libraries(tav_message PRIVATE Qt6::Widgets)
install(TARGETS tav_message RUNTIME DESTINATION ${TAV_INSTALL_LIBDIR})

install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/tav-make-installation
                 ${CMAKE_SOURCE_DIR}/packaging/tav-menu
        DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tav-menu.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/sql/tav_schema_sqlite.sql
              ${CMAKE_SOURCE_DIR}/packaging/sql/tav_schema_postgresql.sql
        DESTINATION ${TAV_INSTALL_DATADIR}/sql)
install(FILES ${CMAKE_SOURCE_DIR}/demo/fontconfig/tav-fonts.conf
        DESTINATION share/fontconfig/conf.avail RENAME 65-tav-fonts.conf)
# Across top-level folders a link is absolute (Debian policy 10.5); dpkg removes it with the package.
set(TAV_FONT_LINK ${CMAKE_BINARY_DIR}/packaging/65-tav-fonts.conf)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK /usr/share/fontconfig/conf.avail/65-tav-fonts.conf ${TAV_FONT_LINK} SYMBOLIC)
install(FILES ${TAV_FONT_LINK} DESTINATION /etc/fonts/conf.d)

# Manual pages and the changelog, compressed as Debian wants them (gzip -9n: no name, no time).
set(TAV_MAN_PAGES tav-make-installation tav-menu tav-check-menu)
set(TAV_GZ_FILES)
foreach(page IN LISTS TAV_MAN_PAGES)
  set(out ${CMAKE_BINARY_DIR}/packaging/${page}.1.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/man/${page}.1 > ${out}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/man/${page}.1 VERBATIM)
  list(APPEND TAV_GZ_FILES ${out})
  install(FILES ${out} DESTINATION share/man/man1)
endforeach()
set(TAV_CHANGELOG_GZ ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${TAV_CHANGELOG_GZ}
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/debian/changelog > ${TAV_CHANGELOG_GZ}
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/changelog VERBATIM)
add_custom_target(tav_package_docs ALL DEPENDS ${TAV_GZ_FILES} ${TAV_CHANGELOG_GZ})
install(FILES ${TAV_CHANGELOG_GZ} ${CMAKE_SOURCE_DIR}/packaging/debian/copyright
        DESTINATION share/doc/tav)

set(TAV_MAINTAINER "TAV maintainers <tav-maintainers@maruvune.co.jp>" CACHE STRING
    "Maintainer field of the Debian package")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TAV")
set(CPACK_PACKAGE_CONTACT "${TAV_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAV_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "business menu and setup program of a money-lending office")
file(READ ${CMAKE_SOURCE_DIR}/packaging/debian/description TAV_DESCRIPTION)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/packaging/debian/description)
string(STRIP "${TAV_DESCRIPTION}" TAV_DESCRIPTION)
set(CPACK_PACKAGE_DESCRIPTION "${TAV_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE TAV_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(TAV_DEB_ARCH)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${TAV_DEB_ARCH})
endif()
# The libraries the programs link are found by dpkg-shlibdeps. Besides them, what the programs
# call at run time: the Qt platform plug-ins, the ODBC manager and the drivers of the two
# databases, the fonts the aliases lead to, xdg-open for documents, folders and the notepad.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, unixodbc, libsqliteodbc, odbc-postgresql, fonts-ipafont-gothic, fonts-ipafont-mincho, fonts-noto-cjk, fontconfig, xdg-utils")
# Japanese input: Mozc under fcitx5 (with its Qt 6 front end) or under IBus.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fcitx5-mozc | ibus-mozc, fcitx5-frontend-qt6 | ibus-mozc")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "cups")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/debian/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
set(CPACK_STRIP_FILES ON)
include(CPack)
