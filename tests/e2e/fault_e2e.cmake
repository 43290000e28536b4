# Faults met by the real menu program under Xvfb: the PostgreSQL server stopped before the start
# and between the start and the refresh after a waited-for program, a corrupt and a missing
# SQLite file, a log file that cannot be written, a started program killed by a signal, a menu
# file that disappears between the check at the start and the read.
foreach(scenario pg-down-start pg-down-refresh corrupt-db missing-db log-unwritable killed-program
    menu-vanishes)
  add_test(NAME e2e.fault.${scenario}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/fault_e2e.sh ${scenario}
      $<TARGET_FILE:TAV_menu1> $<TARGET_FILE:tav_demo_make> $<TARGET_FILE:tav_record_args>
      $<TARGET_FILE:tav_remove_on_close>)
  set_tests_properties(e2e.fault.${scenario} PROPERTIES TIMEOUT 120)
endforeach()
