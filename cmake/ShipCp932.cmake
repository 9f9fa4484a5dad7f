# ship_cp932(<target> <file.utf8> <installed name> <install dir>)
# Files shipped beside the programs are kept in UTF-8 in the repository and
# turned into code page 932 with CR LF at build time, as the programs read them.
# The encoder is tools/to_cp932.

function(ship_cp932 target source installed_name install_dir)
  get_filename_component(source_abs ${source} ABSOLUTE)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/shipped/${install_dir})
  set(out ${out_dir}/${installed_name})
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND to_cp932 ${source_abs} ${out}
    DEPENDS to_cp932 ${source_abs}
    COMMENT "Encoding ${installed_name} in code page 932")
  target_sources(${target} PRIVATE ${out})
  install(FILES ${out} DESTINATION ${install_dir})
endfunction()
