# The Debian package: built with CPack from this build folder, unpacked into a temporary root,
# an installation made with the installed generator and the installed menu started under Xvfb.
add_test(NAME e2e.package.install
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_e2e.sh ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
set_tests_properties(e2e.package.install PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
