# The header-only libraries route_tool is built on, from Debian's packages:
# nlohmann/json (nlohmann-json3-dev: the JSON that route_tool writes and its
# language server reads and writes) and CLI11 (libcli11-dev: route_tool's
# command line).

# Defines `target` from the package's CMake files. A cross build finds no
# package for its target system: it takes the host's headers, through a
# folder that holds the library's own header folder only, so that no host
# system header is seen.
function(vo_header_library package version target header debian_package)
  find_package(${package} ${version} CONFIG QUIET)
  if(NOT ${package}_FOUND AND CMAKE_CROSSCOMPILING)
    get_filename_component(folder ${header} DIRECTORY)
    find_path(vo_host_dir_${folder} ${header} PATHS /usr/include /usr/local/include
              NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
    if(vo_host_dir_${folder})
      set(link_folder ${CMAKE_BINARY_DIR}/host_headers/${folder})
      file(MAKE_DIRECTORY ${link_folder})
      file(CREATE_LINK ${vo_host_dir_${folder}}/${folder} ${link_folder}/${folder} SYMBOLIC)
      add_library(${target} INTERFACE IMPORTED GLOBAL)
      target_include_directories(${target} INTERFACE ${link_folder})
    endif()
  endif()
  if(NOT TARGET ${target})
    message(FATAL_ERROR "${package} not found: install ${debian_package}")
  endif()
endfunction()

vo_header_library(nlohmann_json 3.2 nlohmann_json::nlohmann_json nlohmann/json.hpp
                  nlohmann-json3-dev)
vo_header_library(CLI11 2.1 CLI11::CLI11 CLI/CLI.hpp libcli11-dev)
