# Hardening of the optimised builds (Release, RelWithDebInfo, MinSizeRel):
# the C library's checked string and memory functions (_FORTIFY_SOURCE, level
# 3 where the compiler and library have it, else 2) and stack canaries.
# _FORTIFY_SOURCE needs optimisation, so Debug builds (the sanitizer and fuzz
# builds among them) go without. A toolchain that defines it already is
# overridden, not redefined.
include(CheckCXXCompilerFlag)
include(CheckCXXSourceCompiles)

set(optimised_configs "$<CONFIG:Release,RelWithDebInfo,MinSizeRel>")

# glibc says by a #warning when it takes a level above 2 as 2.
set(fortify_level 2)
set(CMAKE_REQUIRED_FLAGS "-O2 -U_FORTIFY_SOURCE -D_FORTIFY_SOURCE=3 -Werror")
check_cxx_source_compiles("#include <cstring>\nint main() { return 0; }" HAVE_FORTIFY_SOURCE_3)
unset(CMAKE_REQUIRED_FLAGS)
if(HAVE_FORTIFY_SOURCE_3)
  set(fortify_level 3)
endif()
add_compile_options("$<${optimised_configs}:-U_FORTIFY_SOURCE>"
                    "$<${optimised_configs}:-D_FORTIFY_SOURCE=${fortify_level}>")

check_cxx_compiler_flag(-fstack-protector-strong HAVE_CXX_FLAG_STACK_PROTECTOR_STRONG)
if(HAVE_CXX_FLAG_STACK_PROTECTOR_STRONG)
  add_compile_options("$<${optimised_configs}:-fstack-protector-strong>")
endif()
