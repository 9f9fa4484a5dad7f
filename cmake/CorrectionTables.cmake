# correction_table(<target> <file.tsv> <kind> <Name>)
# Checks a correction table (kind: town, business or business_word_list) and
# compiles it into the constexpr table k<Name> in <Name>Table.inc, included by
# <target>'s sources. A bad line fails the build with the file and line.
# The checker and compiler is tools/correction_table_gen.

function(correction_table target tsv kind name)
  get_filename_component(tsv_abs ${tsv} ABSOLUTE)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  set(out ${out_dir}/${name}Table.inc)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND correction_table_gen ${kind} ${tsv_abs} ${out} ${name}
    DEPENDS correction_table_gen ${tsv_abs}
    COMMENT "Checking and compiling correction table ${tsv}")
  target_sources(${target} PRIVATE ${out})
  target_include_directories(${target} PRIVATE ${out_dir})
endfunction()
