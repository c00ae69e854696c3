# nlohmann/json, header-only: the JSON that route_tool writes and its
# language server reads and writes (Debian: nlohmann-json3-dev).
find_package(nlohmann_json 3.2 QUIET)
if(NOT nlohmann_json_FOUND AND CMAKE_CROSSCOMPILING)
  # A cross build takes the host's headers, through a folder that holds the
  # library's own headers only, so that no host system header is seen.
  find_path(VO_NLOHMANN_DIR nlohmann/json.hpp PATHS /usr/include /usr/local/include
            NO_CMAKE_FIND_ROOT_PATH NO_DEFAULT_PATH)
  if(VO_NLOHMANN_DIR)
    file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/host_json)
    file(CREATE_LINK ${VO_NLOHMANN_DIR}/nlohmann ${CMAKE_BINARY_DIR}/host_json/nlohmann SYMBOLIC)
    add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED GLOBAL)
    target_include_directories(nlohmann_json::nlohmann_json
                               INTERFACE ${CMAKE_BINARY_DIR}/host_json)
    set(nlohmann_json_FOUND TRUE)
  endif()
endif()
if(NOT nlohmann_json_FOUND)
  message(FATAL_ERROR "nlohmann/json not found: install nlohmann-json3-dev")
endif()
