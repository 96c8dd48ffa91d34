# Plugins: shared objects that a program carries inside its own image and loads the first time
# it needs them (src/core/plugins/embeddedplugin.h), so that the libraries they link cost a run
# that never needs them nothing at start-up.

# quorelle_add_plugin(NAME SOURCES ...): the shared object quorelle-NAME, without debug
# information (that goes to a .debug file beside it), in the build's plugins folder.
function(quorelle_add_plugin name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  set(target quorelle-${name})
  add_library(${target} MODULE ${ARG_SOURCES})
  set_target_properties(${target} PROPERTIES
    PREFIX "lib"
    LIBRARY_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/plugins")
  target_link_libraries(${target} PRIVATE quorelle_flags)
  target_link_options(${target} PRIVATE "LINKER:--no-undefined")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_OBJCOPY}" --only-keep-debug "$<TARGET_FILE:${target}>"
            "$<TARGET_FILE:${target}>.debug"
    COMMAND "${CMAKE_OBJCOPY}" --strip-all "$<TARGET_FILE:${target}>"
    VERBATIM)
endfunction()

# quorelle_embed_plugin(TARGET NAME): puts the plugin quorelle-NAME into TARGET's image, in the
# section quorelle_plugin_NAME between the symbols quorelle_plugin_NAME_begin and _end. The
# assembler reads the file itself, so no compiler cache stands between a new plugin and the
# program that carries it.
function(quorelle_embed_plugin target name)
  set(QUORELLE_PLUGIN_NAME "${name}")
  set(QUORELLE_PLUGIN_FILE "${CMAKE_BINARY_DIR}/plugins/libquorelle-${name}.so")
  set(embed "${CMAKE_CURRENT_BINARY_DIR}/plugin_${name}.S")
  configure_file("${CMAKE_SOURCE_DIR}/cmake/embedplugin.S.in" "${embed}" @ONLY)
  set_source_files_properties("${embed}" PROPERTIES OBJECT_DEPENDS "${QUORELLE_PLUGIN_FILE}"
    SKIP_PRECOMPILE_HEADERS ON)
  target_sources(${target} PRIVATE "${embed}")
  add_dependencies(${target} quorelle-${name})
endfunction()
