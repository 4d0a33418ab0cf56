# Warnings are errors for every target of the program's own.
# calpero_warnings(<target> [CONVERSION]) adds -Wconversion as well, for the Qt-free core.
function(calpero_warnings target)
  cmake_parse_arguments(ARG "CONVERSION" "" "" ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror)
  # GCC 12's optimiser reports a false -Wrestrict overlap inside std::string's operator+ when a
  # literal is prepended (GCC bug 105329, fixed in GCC 13); it would fail optimised builds only.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(ARG_CONVERSION)
    target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion)
  endif()
endfunction()
