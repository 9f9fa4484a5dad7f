# expose_folder(<target> <folder>)
# Lets <target>, and whatever links it, include the headers of src/<folder>
# as "<folder>/<file>.h", and nothing else under src/: each library's
# include path is a folder of the build tree holding a link to its own
# source folder only. A library reaches another's headers only by linking
# it, so the link graph is also the graph of who may include whom.
function(expose_folder target folder)
  string(REPLACE "/" "_" root_name ${folder})
  set(root ${PROJECT_BINARY_DIR}/include_roots/${root_name})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
