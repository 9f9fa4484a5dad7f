# embed_tsv(<target> <file.tsv> <ArrayName>)
# Compiles a rule table kept as TSV into the array <ArrayName> (kFooTable) in
# FooTable.inc, included by <target>'s sources.
# A malformed row fails the build with the file and line.
add_executable(tsv_embed ${CMAKE_CURRENT_LIST_DIR}/../tools/tsv_embed.cpp)

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

# embed_tsv_tables(<target> <folder>)
# Every <folder>/*.tsv for <target>: kyoto_codes.tsv becomes the array
# kKyotoCodesTable in KyotoCodesTable.inc.
function(embed_tsv_tables target folder)
  file(GLOB tables CONFIGURE_DEPENDS ${folder}/*.tsv)
  foreach(table ${tables})
    get_filename_component(stem ${table} NAME_WE)
    string(REPLACE "_" ";" words ${stem})
    set(array_name "k")
    foreach(word ${words})
      string(SUBSTRING ${word} 0 1 first)
      string(TOUPPER ${first} first)
      string(SUBSTRING ${word} 1 -1 rest)
      string(APPEND array_name "${first}${rest}")
    endforeach()
    embed_tsv(${target} ${table} ${array_name}Table)
  endforeach()
endfunction()
