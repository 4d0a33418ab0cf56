# calpero_install_man_page(<page> [LANGUAGE <code>]): compresses the roff page <page> (a path
# relative to the calling folder, named <name>.<section>) as Debian's policy asks (gzip -9n: the
# best compression, no name or time stamp in the header, so that builds are reproducible) and
# installs it into the manual's section folder, or with LANGUAGE into that language's one
# (share/man/de/man1), where man finds it for a reader of that language.
include(GNUInstallDirs)

function(calpero_install_man_page page)
  cmake_parse_arguments(ARG "" "LANGUAGE" "" ${ARGN})
  get_filename_component(name "${page}" NAME)
  string(REGEX REPLACE "^.*\\.([0-9])$" "\\1" section "${name}")
  set(source "${CMAKE_CURRENT_SOURCE_DIR}/${page}")
  set(folder "")
  set(target_name "man_${name}")
  if(ARG_LANGUAGE)
    set(folder "${ARG_LANGUAGE}/")
    set(target_name "man_${ARG_LANGUAGE}_${name}")
  endif()
  set(compressed "${CMAKE_CURRENT_BINARY_DIR}/man/${folder}${name}.gz")
  add_custom_command(OUTPUT "${compressed}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/man/${folder}"
    COMMAND gzip -9nc "${source}" > "${compressed}"
    DEPENDS "${source}"
    COMMENT "Compressing the manual page ${name}"
  )
  add_custom_target("${target_name}" ALL DEPENDS "${compressed}")
  install(FILES "${compressed}" DESTINATION "${CMAKE_INSTALL_MANDIR}/${folder}man${section}")
endfunction()
