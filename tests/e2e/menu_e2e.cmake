# The menu program under Xvfb with a window manager: the window with its caption and company
# header, paging and list choice, function keys starting programs, the refresh after a
# waited-for program, the end, the setup question, the login window, the hint line under the
# real pointer, Enter on the focused button, and the window placed by its frame.
foreach(scenario window paging launch refresh end missing-menu login login-cancel hint enter
                 placement-main placement-test)
  add_test(NAME e2e.menu.${scenario}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/menu_e2e.sh ${scenario}
      $<TARGET_FILE:TAV_menu1> $<TARGET_FILE:tav_demo_make> $<TARGET_FILE:tav_demo_header>
      $<TARGET_FILE:tav_record_args>)
  set_tests_properties(e2e.menu.${scenario} PROPERTIES TIMEOUT 120)
endforeach()
