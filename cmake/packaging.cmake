# What is installed, and the packages made of it with CPack: on Linux a .deb
# and a .tar.gz (route_tool on the PATH, the program in a folder of its own,
# the documents, the example scenario, route_tool's manual page and bash
# completion), on Windows a .zip with everything in one folder.
#   cmake --build build && (cd build && cpack -G "DEB;TGZ")
# The editor extension built for the same platform goes in too when its
# package is named: -DVO_EXTENSION_VSIX=path/to/the.vsix.

set(VO_EXTENSION_VSIX "" CACHE FILEPATH "The editor extension (.vsix) to put into the packages")

set(vo_package viterbo-orte-7547)
if(WIN32)
  # One folder, as a zip is unpacked: the two programs at its top.
  set(vo_bin_dir .)
  set(vo_program_dir .)
  set(vo_doc_dir docs)
  set(vo_example_dir examples)
  set(vo_editor_dir editors)
else()
  include(GNUInstallDirs)
  set(vo_bin_dir ${CMAKE_INSTALL_BINDIR})
  # The program writes the scenario into its own folder: it is a file to
  # copy into the simulator's folder, not a command on the PATH.
  set(vo_program_dir lib/${vo_package})
  set(vo_doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${vo_package})
  set(vo_example_dir ${vo_doc_dir}/examples)
  set(vo_editor_dir ${CMAKE_INSTALL_DATADIR}/${vo_package}/editors)
endif()

install(TARGETS route_tool RUNTIME DESTINATION ${vo_bin_dir})
install(TARGETS viterbo_orte_7547 RUNTIME DESTINATION ${vo_program_dir})
install(FILES README.md docs/editors.md docs/formats.md docs/route_tool.md docs/windows.md
        DESTINATION ${vo_doc_dir})
install(FILES docs/examples/Esempio_linea.txt docs/examples/Esempio_1234-.txt
        DESTINATION ${vo_example_dir})
if(VO_EXTENSION_VSIX)
  install(FILES ${VO_EXTENSION_VSIX} DESTINATION ${vo_editor_dir})
endif()

# route_tool's manual page, from its own help texts (the built route_tool
# runs, so not when cross-building).
if(NOT CMAKE_CROSSCOMPILING AND NOT WIN32)
  set(vo_man_page ${CMAKE_BINARY_DIR}/man/route_tool.1.gz)
  add_custom_command(
    OUTPUT ${vo_man_page}
    COMMAND ${CMAKE_COMMAND} -DROUTE_TOOL=$<TARGET_FILE:route_tool> -DVERSION=${PROJECT_VERSION}
            -DOUTPUT=${vo_man_page} -P ${PROJECT_SOURCE_DIR}/cmake/help_to_man.cmake
    DEPENDS route_tool ${PROJECT_SOURCE_DIR}/cmake/help_to_man.cmake
    COMMENT "Writing route_tool's manual page from its help texts"
    VERBATIM)
  add_custom_target(route_tool_man ALL DEPENDS ${vo_man_page})
  install(FILES ${vo_man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
# Its bash completion, written by the built route_tool from its command line.
if(TARGET route_tool_completion)
  install(FILES ${CMAKE_BINARY_DIR}/share/bash-completion/completions/route_tool
          DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
endif()

set(CPACK_PACKAGE_NAME ${vo_package})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "viterbo_orte_7547")
set(CPACK_PACKAGE_CONTACT "viterbo_orte_7547 maintainers <maintainers@users.noreply.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Scenario builder for a train-driving simulator, and route_tool for scenario authors")
set(CPACK_PACKAGE_DESCRIPTION
    "viterbo_orte_7547 writes the driving scenario Viterbo - Attigliano - Orte, train 7547, into its own folder. route_tool checks, compiles, decodes, draws and decompiles a scenario's line description and service files, and serves them to editors as a language server.")
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME ${vo_package}-${PROJECT_VERSION}-win64)
else()
  set(CPACK_GENERATOR "DEB;TGZ")
  set(CPACK_PACKAGE_FILE_NAME ${vo_package}-${PROJECT_VERSION}-linux-x86_64)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  # The libraries the programs link (the C library: libstdc++ and libgcc
  # are linked in), as dpkg-shlibdeps finds them. The program loads Xlib and
  # Xft for its window when they are there.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libx11-6, libxft2")
endif()
include(CPack)
