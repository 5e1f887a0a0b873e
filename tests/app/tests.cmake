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
# The windows' placement again on a full-HD screen scaled by two, as on a
# high-density display: 960 x 540 logical pixels, lower than the main window.
if(TARGET tests_app)
  set(twl_scaled_screen ${CMAKE_CURRENT_BINARY_DIR}/offscreen-scaled.json)
  file(WRITE ${twl_scaled_screen} "{\"windowFrameMargins\": true, \"screens\": [{\"name\": \"scaled\", \"x\": 0, \"y\": 0, \"width\": 1920, \"height\": 1080, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}\n")
  add_test(NAME app_scaled COMMAND tests_app --gtest_filter=WindowPlacement.*)
  set_tests_properties(app_scaled PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen:configfile=${twl_scaled_screen};QT_SCALE_FACTOR=2;LC_ALL=C.UTF-8;TZ=UTC;GTEST_OUTPUT=xml:${TWL_TEST_RESULTS}/app_scaled.xml"
    TIMEOUT 300)
endif()
