# SPDX-License-Identifier: GPL-3.0-or-later
# The buttons are also set up through a language file, so the widget tests
# need the translator too.
if(TARGET tests_widgets AND TARGET twl_i18n)
  target_link_libraries(tests_widgets PRIVATE twl_i18n)
endif()
