# What the package carries beside the programs: the manual pages (troff in man/), the link that
# starts a second radio's console with its own settings file, the copyright file and the
# changelog. Debian wants manual pages and changelogs compressed with gzip -9, and -n keeps
# the result the same from one build to the next.
include_guard(GLOBAL)
include(GNUInstallDirs)
find_program(KEVA_GZIP gzip REQUIRED)

set(keva_package_docs ${PROJECT_BINARY_DIR}/package-docs)
file(MAKE_DIRECTORY ${keva_package_docs})
set(keva_compressed)
foreach(source man/keva-client.1 man/keva-sim.1 man/keva-trace.1 resources/changelog)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${keva_package_docs}/${name}.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/${source} ${keva_package_docs}/${name}
    COMMAND ${KEVA_GZIP} -9nf ${keva_package_docs}/${name}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    VERBATIM)
  list(APPEND keva_compressed ${keva_package_docs}/${name}.gz)
endforeach()
add_custom_target(keva_package_docs ALL DEPENDS ${keva_compressed})

# Relative links, as Debian wants them within one folder.
file(CREATE_LINK keva-client ${keva_package_docs}/keva-client-radio2 SYMBOLIC)
file(CREATE_LINK keva-client.1.gz ${keva_package_docs}/keva-client-radio2.1.gz SYMBOLIC)

install(FILES ${keva_package_docs}/keva-client-radio2 DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${keva_package_docs}/keva-client.1.gz ${keva_package_docs}/keva-sim.1.gz
              ${keva_package_docs}/keva-trace.1.gz ${keva_package_docs}/keva-client-radio2.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/resources/copyright ${keva_package_docs}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
