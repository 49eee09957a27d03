# Checks of the package, run by ctest as scripts:
#   cmake -DCHECK=manual-pages -DMAN_DIR=<man/> -P PackageChecks.cmake
#     renders every page with `man --warnings` and fails on any warning;
#   cmake -DCHECK=lintian -DBINARY_DIR=<build> -DCPACK=<cpack> -DLINTIAN=<lintian> -P ...
#     makes the package from the build into a folder of its own and fails on any error or
#     warning (E: or W: line) from lintian.
if(CHECK STREQUAL "manual-pages")
  file(GLOB pages ${MAN_DIR}/*.1)
  if(NOT pages)
    message(FATAL_ERROR "no manual pages in ${MAN_DIR}")
  endif()
  foreach(page IN LISTS pages)
    execute_process(COMMAND man --warnings -l ${page}
      OUTPUT_QUIET ERROR_VARIABLE warnings RESULT_VARIABLE status)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
      message(FATAL_ERROR "${page} (status ${status}):\n${warnings}")
    endif()
    message(STATUS "${page}: no warnings")
  endforeach()
elseif(CHECK STREQUAL "lintian")
  set(folder ${BINARY_DIR}/lintian-check)
  file(REMOVE_RECURSE ${folder})
  execute_process(COMMAND ${CPACK} -G DEB --config ${BINARY_DIR}/CPackConfig.cmake -B ${folder}
    OUTPUT_VARIABLE made ERROR_VARIABLE made RESULT_VARIABLE status)
  file(GLOB packages ${folder}/*.deb)
  if(NOT status EQUAL 0 OR NOT packages)
    message(FATAL_ERROR "cpack failed (status ${status}):\n${made}")
  endif()
  execute_process(COMMAND ${LINTIAN} ${packages}
    OUTPUT_VARIABLE tags ERROR_VARIABLE complaints RESULT_VARIABLE status)
  message("${tags}${complaints}")
  if(tags MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian reports errors or warnings on ${packages}")
  endif()
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "lintian failed (status ${status})")
  endif()
else()
  message(FATAL_ERROR "CHECK must be manual-pages or lintian, not '${CHECK}'")
endif()
