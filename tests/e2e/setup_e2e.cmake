# The setup program under Xvfb: the archive run and waited for, a missing archive, the abort
# question, a missing readme, the demonstration installation.
foreach(scenario archive missing-archive abort missing-readme demo)
  add_test(NAME e2e.setup.${scenario}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/setup_e2e.sh $<TARGET_FILE:TAV_setup> ${scenario})
  set_tests_properties(e2e.setup.${scenario} PROPERTIES TIMEOUT 120)
endforeach()
# The whole setup path with the build's installation archive.
add_test(NAME e2e.setup.path
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/setup_path_e2e.sh $<TARGET_FILE:TAV_menu1>
          $<TARGET_FILE:TAV_setup> ${CMAKE_BINARY_DIR}/demo/TAV_App.TAV)
set_tests_properties(e2e.setup.path PROPERTIES TIMEOUT 120)
