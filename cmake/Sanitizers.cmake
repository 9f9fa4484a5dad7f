# Checked builds. SANITIZE builds every target with the address and
# undefined-behaviour sanitizers (any finding stops the program); FUZZING
# (clang only) adds the fuzz targets of fuzz/ and instruments the libraries
# for them. scripts/sanitize.sh and scripts/fuzz.sh make these builds beside
# the ordinary one.
option(SANITIZE "Build with the address and undefined-behaviour sanitizers" OFF)
option(FUZZING "Build the libFuzzer targets of fuzz/ (clang)" OFF)

if(SANITIZE)
  set(sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_options(${sanitizer_flags})
  add_link_options(${sanitizer_flags})
endif()

if(FUZZING)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "FUZZING needs clang (libFuzzer): configure with CMAKE_CXX_COMPILER=clang++")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
