# calpero_layer(<target> <folder>): gives <target>, whose sources live in <folder>, the one
# include folder of its layer: <build>/layers/<folder>, which holds a symbolic link to <folder>
# and to each folder that cmake/layers.txt lets it include, and nothing else. Headers keep their
# names ("calc/work_area.h"), yet an include of a folder above the layer finds no file, so the
# build, not only the review, keeps the layers apart. The folder is public: a target that links
# the library gets it too, and since a layer's links are a subset of those of every layer above
# it, a user's own layer folder, which comes first, finds each header at the same place.
# No library may add the source root to its include path: that would open every folder again.
set(calpero_layer_table "${CMAKE_CURRENT_LIST_DIR}/layers.txt")
set_property(DIRECTORY "${PROJECT_SOURCE_DIR}" APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             "${calpero_layer_table}")
file(STRINGS "${calpero_layer_table}" calpero_layer_rows REGEX "^[a-z/_]+:")
foreach(row IN LISTS calpero_layer_rows)
  string(REGEX MATCH "^([^:]+):(.*)$" matched "${row}")
  separate_arguments(below UNIX_COMMAND "${CMAKE_MATCH_2}")
  set_property(GLOBAL PROPERTY "calpero_layer:${CMAKE_MATCH_1}" "${below}")
endforeach()

function(calpero_layer target folder)
  get_property(known GLOBAL PROPERTY "calpero_layer:${folder}" SET)
  if(NOT known)
    message(FATAL_ERROR "calpero_layer(${target}): ${folder} is not in ${calpero_layer_table}")
  endif()
  set(layer "${CMAKE_BINARY_DIR}/layers/${folder}")
  get_property(made GLOBAL PROPERTY "calpero_layer_made:${folder}")
  if(NOT made)
    get_property(below GLOBAL PROPERTY "calpero_layer:${folder}")
    # Links of an earlier table go first; only links are removed, never what they point to.
    file(MAKE_DIRECTORY "${layer}")
    file(GLOB old LIST_DIRECTORIES true "${layer}/*")
    foreach(entry IN LISTS old)
      if(IS_SYMLINK "${entry}")
        file(REMOVE "${entry}")
      endif()
    endforeach()
    foreach(visible IN LISTS folder below)
      if(IS_DIRECTORY "${PROJECT_SOURCE_DIR}/${visible}")
        get_filename_component(parent "${layer}/${visible}" DIRECTORY)
        file(MAKE_DIRECTORY "${parent}")
        file(CREATE_LINK "${PROJECT_SOURCE_DIR}/${visible}" "${layer}/${visible}" SYMBOLIC)
      endif()
    endforeach()
    set_property(GLOBAL PROPERTY "calpero_layer_made:${folder}" TRUE)
  endif()
  target_include_directories(${target} PUBLIC "${layer}")
endfunction()
