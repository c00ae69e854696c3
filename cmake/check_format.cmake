# Fails when any C++ source of the project is not clang-format clean.
# Run as: cmake -DCLANG_FORMAT=... -DSOURCE_DIR=... -P check_format.cmake
file(GLOB_RECURSE sources
  ${SOURCE_DIR}/app/*.h ${SOURCE_DIR}/app/*.cpp
  ${SOURCE_DIR}/base/*.h ${SOURCE_DIR}/base/*.cpp
  ${SOURCE_DIR}/compiler/*.h ${SOURCE_DIR}/compiler/*.cpp ${SOURCE_DIR}/compiler/*.def
  ${SOURCE_DIR}/sources/*.h ${SOURCE_DIR}/sources/*.cpp
  ${SOURCE_DIR}/tools/*.h ${SOURCE_DIR}/tools/*.cpp
  ${SOURCE_DIR}/fuzz/*.h ${SOURCE_DIR}/fuzz/*.cpp
  ${SOURCE_DIR}/bench/*.h ${SOURCE_DIR}/bench/*.cpp)
execute_process(COMMAND ${CLANG_FORMAT} --dry-run --Werror ${sources}
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "clang-format: some files need formatting (run clang-format -i on them)")
endif()
