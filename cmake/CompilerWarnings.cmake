# The warning flags every target is built with, each checked once against the
# compiler. WARNINGS_AS_ERRORS turns them into errors; test.sh (and so CI)
# switches it on.
include(CheckCXXCompilerFlag)

option(WARNINGS_AS_ERRORS "Treat compiler warnings as errors" OFF)

foreach(flag -Wall -Wextra -Wshadow -Wformat=2 -Wnon-virtual-dtor -Woverloaded-virtual)
  string(MAKE_C_IDENTIFIER "HAVE_CXX_FLAG${flag}" have_flag)
  check_cxx_compiler_flag(${flag} ${have_flag})
  if(${have_flag})
    add_compile_options(${flag})
  endif()
endforeach()

if(WARNINGS_AS_ERRORS)
  add_compile_options(-Werror)
endif()
