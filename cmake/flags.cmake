# The interface target that carries every compiler flag, shared by the main build and the Windows
# runtime's own build: the warnings, and -Werror when QUORELLE_WERROR is on. Each build adds its
# own definitions and its include folder `src`, given here.
function(quorelle_add_flags_target source_dir)
  add_library(quorelle_flags INTERFACE)
  target_compile_options(quorelle_flags INTERFACE -Wall -Wextra -Wpedantic -Wold-style-cast
    -Wnon-virtual-dtor)
  if(QUORELLE_WERROR)
    target_compile_options(quorelle_flags INTERFACE -Werror)
  endif()
  target_include_directories(quorelle_flags INTERFACE "${source_dir}")
endfunction()
