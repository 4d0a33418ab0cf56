# Warnings for every target of the program's own. They are errors only where the developers build
# (the debug and asan presets, and so CI): a packager's newer compiler may warn about code that
# was clean here, and that must not stop the package from building.
option(CALPERO_WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

# calpero_warnings(<target> [CONVERSION]) adds -Wconversion as well, for the Qt-free core.
function(calpero_warnings target)
  cmake_parse_arguments(ARG "CONVERSION" "" "" ${ARGN})
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  if(CALPERO_WARNINGS_AS_ERRORS)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
  # GCC 12's optimiser reports a false -Wrestrict overlap inside std::string's operator+ when a
  # literal is prepended (GCC bug 105329, fixed in GCC 13); it would fail optimised builds only.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(ARG_CONVERSION)
    target_compile_options(${target} PRIVATE -Wconversion -Wsign-conversion)
  endif()
endfunction()
