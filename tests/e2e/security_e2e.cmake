# The login of the real menu under Xvfb cannot be skipped by closing its window: the close
# request of the window frame ends the menu as キャンセル does, with no program started.
foreach(scenario login-close login-escape)
  add_test(NAME e2e.security.${scenario}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/security_e2e.sh ${scenario}
      $<TARGET_FILE:TAV_menu1> $<TARGET_FILE:tav_demo_make> $<TARGET_FILE:tav_record_args>
      $<TARGET_FILE:tav_x_close>)
  set_tests_properties(e2e.security.${scenario} PROPERTIES TIMEOUT 120)
endforeach()
