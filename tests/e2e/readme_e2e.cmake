# The README's database and FEND_RUN.INI examples, run as written, then the menu on them.
foreach(backend sqlite postgresql)
  add_test(NAME e2e.readme.${backend}
    COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/readme_e2e.sh ${backend} $<TARGET_FILE:TAV_menu1>
            $<TARGET_FILE:tav_demo_make> $<TARGET_FILE:tav_record_args>)
  set_tests_properties(e2e.readme.${backend} PROPERTIES TIMEOUT 120)
endforeach()
