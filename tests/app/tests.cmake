# The command-line tests run the built twlc-export as a child process, so that
# its standard output can be a full device or closed.
if(TARGET tests_app AND TARGET twlc-export)
  add_dependencies(tests_app twlc-export)
  target_compile_definitions(tests_app PRIVATE TWL_EXPORT_PROGRAM="$<TARGET_FILE:twlc-export>")
endif()
