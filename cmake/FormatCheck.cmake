# format-check fails when a C++ source differs from what clang-format makes of
# it with the root .clang-format; format rewrites the sources in place.
find_program(CLANG_FORMAT NAMES clang-format-14 clang-format)

file(GLOB_RECURSE format_sources CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/*.cpp ${PROJECT_SOURCE_DIR}/src/*.h
  ${PROJECT_SOURCE_DIR}/tests/*.cpp ${PROJECT_SOURCE_DIR}/tests/*.h
  ${PROJECT_SOURCE_DIR}/tools/*.cpp ${PROJECT_SOURCE_DIR}/tools/*.h ${PROJECT_SOURCE_DIR}/bench/*.cpp
  ${PROJECT_SOURCE_DIR}/fuzz/*.cpp)

if(CLANG_FORMAT)
  add_custom_target(format-check
    COMMAND ${CLANG_FORMAT} --dry-run -Werror ${format_sources}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    COMMENT "Checking the format of the C++ sources"
    VERBATIM)
  add_custom_target(format
    COMMAND ${CLANG_FORMAT} -i ${format_sources}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    VERBATIM)
else()
  add_custom_target(format-check
    COMMAND ${CMAKE_COMMAND} -E echo "clang-format not found (scripts/install-deps.sh installs it)"
    COMMAND ${CMAKE_COMMAND} -E false)
endif()
