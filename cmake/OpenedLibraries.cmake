# SPDX-License-Identifier: GPL-3.0-or-later
# Libraries a target opens when first used (base/SharedLibrary.h) instead of
# linking them: it compiles against their headers and names them by soname.
# The Debian packages that hold them are collected for the package's
# dependencies, which the computed ones no longer include.
#
#   twl_open_library(TARGET PKGCONFIG_PREFIX LIBRARY_NAME DEFINITION)
function(twl_open_library target prefix name definition)
  find_library(twl_${name}_file NAMES ${name} HINTS ${${prefix}_LIBRARY_DIRS} REQUIRED)
  execute_process(COMMAND objdump -p ${twl_${name}_file} OUTPUT_VARIABLE dump
    COMMAND_ERROR_IS_FATAL ANY)
  if(NOT dump MATCHES "SONAME +([^\n]+)")
    message(FATAL_ERROR "${twl_${name}_file} names no soname")
  endif()
  set(soname ${CMAKE_MATCH_1})
  target_include_directories(${target} SYSTEM PRIVATE ${${prefix}_INCLUDE_DIRS})
  target_compile_options(${target} PRIVATE ${${prefix}_CFLAGS_OTHER})
  target_compile_definitions(${target} PRIVATE ${definition}="${soname}")
  get_filename_component(directory ${twl_${name}_file} DIRECTORY)
  execute_process(COMMAND dpkg-query -S ${directory}/${soname}
    OUTPUT_VARIABLE owner RESULT_VARIABLE status ERROR_QUIET)
  if(status EQUAL 0 AND owner MATCHES "^([^:]+)")
    set_property(GLOBAL APPEND PROPERTY TWL_OPENED_LIBRARY_PACKAGES ${CMAKE_MATCH_1})
  endif()
endfunction()
