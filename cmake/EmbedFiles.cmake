# embed_files(TARGET <lib> BASE <dir> FILES <file>...
#             [GENERATED_BASE <dir> GENERATED <file>...])
# Builds a static library that holds each file's bytes unchanged, looked up
# at run time by its path relative to BASE (see common/EmbeddedData.h).
# GENERATED files are made by the build (outputs of custom commands in the
# calling directory) and are named by their path relative to GENERATED_BASE.
function(embed_files)
  cmake_parse_arguments(EMB "" "TARGET;BASE;GENERATED_BASE" "FILES;GENERATED" ${ARGN})
  set(out_dir ${CMAKE_CURRENT_BINARY_DIR}/${EMB_TARGET})
  set(sources "")
  set(index "")
  set(decls "")
  set(n 0)
  set(all_files "")
  foreach(f IN LISTS EMB_FILES)
    get_filename_component(abs ${f} ABSOLUTE BASE_DIR ${EMB_BASE})
    list(APPEND all_files "${EMB_BASE}|${abs}")
  endforeach()
  foreach(f IN LISTS EMB_GENERATED)
    get_filename_component(abs ${f} ABSOLUTE BASE_DIR ${EMB_GENERATED_BASE})
    list(APPEND all_files "${EMB_GENERATED_BASE}|${abs}")
  endforeach()
  foreach(entry IN LISTS all_files)
    string(FIND "${entry}" "|" bar)
    string(SUBSTRING "${entry}" 0 ${bar} base)
    math(EXPR after "${bar} + 1")
    string(SUBSTRING "${entry}" ${after} -1 abs)
    file(RELATIVE_PATH rel ${base} ${abs})
    set(src ${out_dir}/blob${n}.cpp)
    add_custom_command(
      OUTPUT ${src}
      COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${src} -DSYMBOL=trelvix_blob${n}
              -P ${CMAKE_SOURCE_DIR}/cmake/EmbedOne.cmake
      DEPENDS ${abs} ${CMAKE_SOURCE_DIR}/cmake/EmbedOne.cmake
      COMMENT "Embedding ${rel}")
    list(APPEND sources ${src})
    string(APPEND decls "extern const unsigned char trelvix_blob${n}[]; extern const std::size_t trelvix_blob${n}_size;\n")
    string(APPEND index "  {\"${rel}\", trelvix_blob${n}, &trelvix_blob${n}_size},\n")
    math(EXPR n "${n} + 1")
  endforeach()
  set(index_src ${out_dir}/index.cpp)
  file(WRITE ${index_src}.in
"#include <cstddef>\n#include \"EmbeddedIndex.h\"\n${decls}\nnamespace trelvix::embedded {\nconst Entry kEntries[] = {\n${index}  {nullptr, nullptr, nullptr}};\n}\n")
  configure_file(${index_src}.in ${index_src} COPYONLY)
  add_library(${EMB_TARGET} STATIC ${sources} ${index_src})
  target_include_directories(${EMB_TARGET} PRIVATE ${CMAKE_SOURCE_DIR}/common)
endfunction()
