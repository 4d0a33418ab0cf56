# How every test of the program is registered with ctest: one function, two forms.
#
# A GoogleTest program, built from its sources, its cases registered one by one:
#   calpero_add_test(<target> SOURCES <files...> [LIBS <targets...>] [GUI]
#                    [LABELS <labels...>] [TIMEOUT <seconds>] [ENVIRONMENT <VAR=value...>])
# A test run as a command (a script, or a program with arguments):
#   calpero_add_test(<name> COMMAND <command> [<args>...]
#                    [LABELS <labels...>] [TIMEOUT <seconds>] [ENVIRONMENT <VAR=value...>]
#                    [SKIP_RETURN_CODE <code>] [RUN_SERIAL])
#
# GUI makes the program a window test: it runs in the shared offscreen main of tests/support
# (which also gives it a private runtime folder, so that it runs when started by hand), QTest's
# mouse events go through the window with its implicit grab, enter and leave, its cases run with
# QT_QPA_PLATFORM=offscreen whatever the caller's session sets, in English (LANGUAGE=en) whatever
# the desktop's language, and they carry the label "gui".
include(GoogleTest)

function(calpero_add_test name)
  cmake_parse_arguments(ARG "GUI;RUN_SERIAL" "TIMEOUT;SKIP_RETURN_CODE"
                        "SOURCES;LIBS;COMMAND;LABELS;ENVIRONMENT" ${ARGN})
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "calpero_add_test(${name}): unknown arguments ${ARG_UNPARSED_ARGUMENTS}")
  endif()
  if((ARG_SOURCES AND ARG_COMMAND) OR NOT (ARG_SOURCES OR ARG_COMMAND))
    message(FATAL_ERROR "calpero_add_test(${name}): give either SOURCES or COMMAND")
  endif()

  # The properties by name; a value may be a list (several labels, several variables).
  set(value_LABELS ${ARG_LABELS})
  set(value_ENVIRONMENT ${ARG_ENVIRONMENT})
  if(ARG_GUI)
    list(APPEND value_LABELS gui)
    list(APPEND value_ENVIRONMENT QT_QPA_PLATFORM=offscreen LANGUAGE=en)
  endif()
  set(value_TIMEOUT ${ARG_TIMEOUT})
  set(value_SKIP_RETURN_CODE ${ARG_SKIP_RETURN_CODE})
  set(value_RUN_SERIAL "")
  if(ARG_RUN_SERIAL)
    set(value_RUN_SERIAL ON)
  endif()
  set(properties LABELS ENVIRONMENT TIMEOUT SKIP_RETURN_CODE RUN_SERIAL)

  if(ARG_COMMAND)
    add_test(NAME ${name} COMMAND ${ARG_COMMAND})
    foreach(property IN LISTS properties)
      if(NOT "${value_${property}}" STREQUAL "")
        set_tests_properties(${name} PROPERTIES ${property} "${value_${property}}")
      endif()
    endforeach()
    return()
  endif()

  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  # Every test program may use the shared helpers of tests/support.
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} calpero_test_support)
  if(ARG_GUI)
    target_link_libraries(${name} PRIVATE calpero_gui_test_support)
    target_compile_definitions(${name} PRIVATE QTEST_QPA_MOUSE_HANDLING)
  else()
    target_link_libraries(${name} PRIVATE GTest::gtest GTest::gtest_main)
  endif()
  calpero_warnings(${name})

  # gtest_discover_tests hands its PROPERTIES on as one flat list, which splits every value that
  # is itself a list (two variables of ENVIRONMENT, two LABELS) and loses what follows. So the
  # properties go into a file of their own that ctest reads right after the discovered cases.
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60 TEST_LIST ${name}_TESTS)
  set(arguments "")
  foreach(property IN LISTS properties)
    if(NOT "${value_${property}}" STREQUAL "")
      string(APPEND arguments " ${property} [==[${value_${property}}]==]")
    endif()
  endforeach()
  if(NOT arguments STREQUAL "")
    set(file "${CMAKE_CURRENT_BINARY_DIR}/${name}_properties.cmake")
    set(cases "\${${name}_TESTS}")
    file(WRITE "${file}"
         "if(${name}_TESTS)\n  set_tests_properties(${cases} PROPERTIES${arguments})\nendif()\n")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES "${file}")
  endif()
endfunction()
