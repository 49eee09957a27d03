# keva_include_root(target folder base): `target` makes its headers, the files of
# <base>/<folder>, visible as "<folder>/name.h" to itself and to whatever links it, and nothing
# else. Each library gets a root of its own under the build folder holding one link to its
# folder, so an include of a library that a target does not link fails to build.
function(keva_include_root target folder base)
  set(root ${PROJECT_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${base}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
