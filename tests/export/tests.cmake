# SPDX-License-Identifier: GPL-3.0-or-later
# The run and dialog tests drive real documents, so they also need the writers.
if(TARGET tests_export AND TARGET twl_export_writers)
  target_link_libraries(tests_export PRIVATE twl_export_writers)
endif()
