# The setup program under Xvfb: the archive run and waited for, a missing archive, the abort
# question, a missing readme, the demonstration installation.
foreach(scenario archive missing-archive abort missing-readme demo)
  add_test(NAME e2e.setup.${scenario}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/setup_e2e.sh $<TARGET_FILE:TAV_setup> ${scenario})
  set_tests_properties(e2e.setup.${scenario} PROPERTIES TIMEOUT 120)
endforeach()
