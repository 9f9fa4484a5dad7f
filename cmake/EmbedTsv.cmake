# embed_tsv(<target> <file.tsv> <ArrayName>)
# Compiles a rule table kept as TSV into the array <ArrayName> (kFooTable) in
# FooTable.inc, included by <target>'s sources.
# A malformed row fails the build with the file and line.
# The compiler is tools/tsv_embed.

function(embed_tsv target tsv array_name)
  get_filename_component(tsv_abs ${tsv} ABSOLUTE)
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/generated)
  string(REGEX REPLACE "^k" "" file_stem ${array_name})
  set(out ${out_dir}/${file_stem}.inc)
  add_custom_command(
    OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND tsv_embed ${tsv_abs} ${out} ${array_name}
    DEPENDS tsv_embed ${tsv_abs}
    COMMENT "Compiling rule table ${tsv}")
  target_sources(${target} PRIVATE ${out})
  target_include_directories(${target} PRIVATE ${out_dir})
endfunction()
