# Warnings are errors for every target of the program's own.
# calpero_warnings(<target> [CONVERSION]) adds -Wconversion as well, for the Qt-free core.
function(calpero_warnings target)
  cmake_parse_arguments(ARG "CONVERSION" "" "" ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  if(ARG_CONVERSION)
    target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion)
  endif()
endfunction()
