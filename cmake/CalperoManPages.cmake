# calpero_install_man_page(<page>): compresses the roff page <page> (a path relative to the calling
# folder, named <name>.<section>) as Debian's policy asks (gzip -9n: the best compression, no name
# or time stamp in the header, so that builds are reproducible) and installs it into the manual's
# section folder.
include(GNUInstallDirs)

function(calpero_install_man_page page)
  get_filename_component(name "${page}" NAME)
  string(REGEX REPLACE "^.*\\.([0-9])$" "\\1" section "${name}")
  set(source "${CMAKE_CURRENT_SOURCE_DIR}/${page}")
  set(compressed "${CMAKE_CURRENT_BINARY_DIR}/${name}.gz")
  add_custom_command(OUTPUT "${compressed}"
    COMMAND gzip -9nc "${source}" > "${compressed}"
    DEPENDS "${source}"
    COMMENT "Compressing the manual page ${name}"
  )
  add_custom_target("man_${name}" ALL DEPENDS "${compressed}")
  install(FILES "${compressed}" DESTINATION "${CMAKE_INSTALL_MANDIR}/man${section}")
endfunction()
