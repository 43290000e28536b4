# The fuzz targets: fuzz_<name>.cpp in this folder, linked with the libraries named here.
set(TAV_FUZZ_TARGETS getfield numeric inifile textdecode menufile dialect display_format
  lookup_statement command_line screen_definition password_file)
set(TAV_FUZZ_LIBS_getfield tav_platform)
set(TAV_FUZZ_LIBS_numeric tav_platform)
set(TAV_FUZZ_LIBS_inifile tav_platform)
set(TAV_FUZZ_LIBS_textdecode tav_platform)
set(TAV_FUZZ_LIBS_menufile tav_menu tav_platform_fakes)
set(TAV_FUZZ_LIBS_dialect tav_dataaccess)
set(TAV_FUZZ_LIBS_display_format tav_common)
set(TAV_FUZZ_LIBS_lookup_statement tav_codelookup)
set(TAV_FUZZ_LIBS_command_line tav_platform)
set(TAV_FUZZ_LIBS_screen_definition tav_formhelper)
set(TAV_FUZZ_LIBS_password_file tav_menu_windows)
