# TESSIVAR_CCACHE compiles through ccache when it is installed (the presets
# switch it on); without ccache the build goes on as it would without the
# option. A launcher chosen by hand (CMAKE_CXX_COMPILER_LAUNCHER) wins.
option(TESSIVAR_CCACHE "Compile through ccache when it is installed" OFF)

if(TESSIVAR_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  find_program(CCACHE_PROGRAM ccache)
  if(CCACHE_PROGRAM)
    set(CMAKE_CXX_COMPILER_LAUNCHER ${CCACHE_PROGRAM})
  else()
    message(STATUS "ccache not found: compiling without it")
  endif()
endif()
