# SPDX-License-Identifier: MIT
# Flags every target of ours gets; third-party code is left alone.
function(zorvik_target_defaults target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wnon-virtual-dtor -Wold-style-cast -Woverloaded-virtual)
  if(ZORVIK_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII)
endfunction()

# One Qt Test executable registered with CTest. Widget tests pass WIDGETS to run offscreen.
function(zorvik_add_test name)
  cmake_parse_arguments(ARG "WIDGETS" "" "SOURCES;LIBRARIES;ENVIRONMENT;LABELS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBRARIES})
  zorvik_target_defaults(${name})
  add_test(NAME ${name} COMMAND ${name})
  set(env LANG=C.UTF-8 LC_ALL=C.UTF-8 ${ARG_ENVIRONMENT})
  if(ARG_WIDGETS)
    list(APPEND env QT_QPA_PLATFORM=offscreen)
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "${env}" LABELS "${ARG_LABELS}")
endfunction()
