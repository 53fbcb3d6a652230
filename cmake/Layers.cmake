# Each source folder of the game is a static library of its own, built on
# the folders below it: render, model, game, sound, world, players, app.
# A folder's files find headers through an include root of its own, which
# holds one symbolic link to the folder; a library sees its own root and
# those of the libraries it is built on, so an include of a folder above it
# fails to build.
set(LAYER_ROOTS ${CMAKE_BINARY_DIR}/layers)

function(add_layer folder)
  cmake_parse_arguments(LAYER "" "" "SOURCES;BELOW" ${ARGN})
  set(root ${LAYER_ROOTS}/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  add_library(layer_${folder} STATIC ${LAYER_SOURCES})
  target_include_directories(layer_${folder} PUBLIC ${root})
  target_compile_options(layer_${folder} PRIVATE ${PROJECT_WARNINGS} ${HARDENING_COMPILE})
  if(folder STREQUAL "render")
    target_precompile_headers(layer_render PRIVATE ${COMMON_HEADERS})
  else()
    target_precompile_headers(layer_${folder} REUSE_FROM layer_render)
  endif()
  target_link_libraries(layer_${folder} PUBLIC ${LAYER_BELOW})
endfunction()

# The sources of a folder, but those named.
function(layer_sources variable folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${folder}/*.cpp)
  foreach(left_out ${ARGN})
    list(REMOVE_ITEM sources ${CMAKE_SOURCE_DIR}/${folder}/${left_out})
  endforeach()
  set(${variable} ${sources} PARENT_SCOPE)
endfunction()
