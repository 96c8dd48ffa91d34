# Plugins: shared objects that programs load the first time they need them
# (src/core/plugins/plugin.h), so that the libraries they link cost a run that never needs them
# nothing at start-up. They lie in lib/quorelle/plugins of the build and of the installation; the
# reader runtime alone carries them inside its own image.

# The build's plugins folder: where the installed one lies from bin, taken from the build's bin.
function(quorelle_plugin_folder out)
  get_filename_component(folder "${CMAKE_BINARY_DIR}/bin/${QUORELLE_SUPPORT_RELATIVE}/plugins"
    ABSOLUTE)
  set(${out} "${folder}" PARENT_SCOPE)
endfunction()

# quorelle_add_plugin(NAME SOURCES ...): the shared object libquorelle-NAME.so in the plugins
# folder, its debug information in libquorelle-NAME.so.debug beside it, where the debug link
# leads gdb; both are installed.
function(quorelle_add_plugin name)
  cmake_parse_arguments(ARG "" "" "SOURCES" ${ARGN})
  set(target quorelle-${name})
  quorelle_plugin_folder(folder)
  add_library(${target} MODULE ${ARG_SOURCES})
  # Only the entry points the host looks up are exported.
  set_target_properties(${target} PROPERTIES
    PREFIX "lib"
    LIBRARY_OUTPUT_DIRECTORY "${folder}"
    CXX_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_link_libraries(${target} PRIVATE quorelle_flags)
  target_link_options(${target} PRIVATE "LINKER:--no-undefined")
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND "${CMAKE_OBJCOPY}" --only-keep-debug "$<TARGET_FILE_NAME:${target}>"
            "$<TARGET_FILE_NAME:${target}>.debug"
    COMMAND "${CMAKE_OBJCOPY}" --strip-all
            "--add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug"
            "$<TARGET_FILE_NAME:${target}>"
    WORKING_DIRECTORY "${folder}"
    VERBATIM)
  install(TARGETS ${target} LIBRARY DESTINATION "${QUORELLE_SUPPORT_DIR}/plugins")
  install(FILES "${folder}/libquorelle-${name}.so.debug"
    DESTINATION "${QUORELLE_SUPPORT_DIR}/plugins")
endfunction()

# quorelle_embed_plugin(TARGET NAME): puts the plugin quorelle-NAME into TARGET's image, in the
# section quorelle_plugin_NAME between the symbols quorelle_plugin_NAME_begin and _end. Only the
# reader runtime does this: a reader copies it anywhere as one file. The assembler reads the file
# itself, so no compiler cache stands between a new plugin and the program that carries it.
function(quorelle_embed_plugin target name)
  quorelle_plugin_folder(folder)
  set(QUORELLE_PLUGIN_NAME "${name}")
  set(QUORELLE_PLUGIN_FILE "${folder}/libquorelle-${name}.so")
  set(embed "${CMAKE_CURRENT_BINARY_DIR}/plugin_${name}.S")
  configure_file("${CMAKE_SOURCE_DIR}/cmake/embedplugin.S.in" "${embed}" @ONLY)
  set_source_files_properties("${embed}" PROPERTIES OBJECT_DEPENDS "${QUORELLE_PLUGIN_FILE}"
    SKIP_PRECOMPILE_HEADERS ON)
  target_sources(${target} PRIVATE "${embed}")
  add_dependencies(${target} quorelle-${name})
endfunction()

# quorelle_uses_plugins(TARGET): TARGET loads the plugins from the build's plugins folder, so they
# are built before it runs.
function(quorelle_uses_plugins target)
  add_dependencies(${target} quorelle-pictures quorelle-media)
endfunction()
