# Install layout and the Debian package (cpack -G DEB in the build folder).
#
#   /usr/lib/tav/            TAV_menu1, TAV_setup and the programs of the demonstration system
#   /usr/share/tav/          the setup program's readme and helper scripts
#   /usr/bin/tav-make-installation   makes a user's installation (default ~/TAV) from them
#   /usr/bin/tav-menu        starts the user's menu, making the installation the first time
#   /usr/share/applications/tav-menu.desktop
#   /usr/share/fontconfig/conf.avail/65-tav-fonts.conf, linked from /etc/fonts/conf.d
#
# The menu is not run from /usr/lib/tav: it finds its system folders two levels above its own
# folder and writes FEND_SYS.LOG into it, so each user runs a copy in a folder of their own.

install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/tav-make-installation
                 ${CMAKE_SOURCE_DIR}/packaging/tav-menu
        DESTINATION bin)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tav-menu.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/demo/fontconfig/tav-fonts.conf
        DESTINATION share/fontconfig/conf.avail RENAME 65-tav-fonts.conf)
# The link that turns the alias on for every program of the machine (installed as a link).
set(TAV_FONT_LINK ${CMAKE_BINARY_DIR}/packaging/65-tav-fonts.conf)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(CREATE_LINK ../../../usr/share/fontconfig/conf.avail/65-tav-fonts.conf ${TAV_FONT_LINK} SYMBOLIC)
install(FILES ${TAV_FONT_LINK} DESTINATION /etc/fonts/conf.d)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tav)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "TAV")
set(CPACK_PACKAGE_CONTACT "TAV maintainers <tav@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "TAV office system: business menu, setup program, demonstration system")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_SET_DESTDIR OFF)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE TAV_DEB_ARCH
                OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(TAV_DEB_ARCH)
  set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${TAV_DEB_ARCH})
endif()
# The libraries the programs link, found by dpkg-shlibdeps, and what they need at run time
# besides: the ODBC drivers of the two databases, the Qt platform plug-ins, the fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libqt6widgets6, libqt6printsupport6, qt6-qpa-plugins, unixodbc, libsqliteodbc, odbc-postgresql, fonts-noto-cjk, fontconfig")
set(CPACK_STRIP_FILES ON)
include(CPack)
