# shared_library_soname(<variable> <library file>)
# Sets <variable> to the soname the library file declares (what a program
# linked against it would record as NEEDED), for a library a program loads
# itself rather than links.
function(shared_library_soname variable file)
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${file} OUTPUT_VARIABLE headers RESULT_VARIABLE failed)
  if(failed OR NOT headers MATCHES "\n *SONAME +([^ \n]+)")
    message(FATAL_ERROR "No soname found in ${file}")
  endif()
  set(${variable} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
