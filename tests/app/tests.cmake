# SPDX-License-Identifier: GPL-3.0-or-later
# The command-line tests run the built programs as child processes: the
# calculator's own command line, and twlc-export with a standard output that
# can be a full device or closed.
if(TARGET tests_app AND TARGET twlc)
  add_dependencies(tests_app twlc)
  target_compile_definitions(tests_app PRIVATE TWL_TWLC="$<TARGET_FILE:twlc>")
endif()
if(TARGET tests_app AND TARGET twlc-export)
  add_dependencies(tests_app twlc-export)
  target_compile_definitions(tests_app PRIVATE TWL_EXPORT_PROGRAM="$<TARGET_FILE:twlc-export>")
endif()
