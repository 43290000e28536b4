# The sample business screen 顧客照会 under Xvfb: the code look-up opened with F4, a code chosen
# and written back with its name and the customer's details.
add_test(NAME e2e.sample.lookup
  COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/sample_e2e.sh $<TARGET_FILE:TAV_KOKY0100>
          $<TARGET_FILE:tav_demo_make> ${CMAKE_SOURCE_DIR}/demo/sample_screen/KOKY0100.SCR)
set_tests_properties(e2e.sample.lookup PROPERTIES TIMEOUT 120)
