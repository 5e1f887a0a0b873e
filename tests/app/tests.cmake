# The calculator's own command line is checked on the real program.
if(TARGET tests_app AND TARGET twlc)
  add_dependencies(tests_app twlc)
  target_compile_definitions(tests_app PRIVATE TWL_TWLC="$<TARGET_FILE:twlc>")
endif()
