# lumeno_layer(<name> SOURCES ... [DEPENDS ...])
# One library of the standard-C++ layers. Each links only the layers below
# it, so the direction of the dependencies shows in the build; the include
# test (tests/layers) checks the #include lines against the same table.
# Every layer joins lumeno_core, the interface library programs and tests
# link. Qt is on no layer's include path.
function(lumeno_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_link_libraries(lumeno_core INTERFACE ${name})
  set_property(GLOBAL APPEND PROPERTY LUMENO_LAYERS ${name})
endfunction()
