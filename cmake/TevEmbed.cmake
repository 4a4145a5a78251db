# tev_embed_files(<target> NAMESPACE <ns> FUNCTION <name> FILES <id> <path> [<id> <path> ...])
#
# Compiles files into <target> as byte arrays, reachable by their numeric resource
# identifier through `std::string_view <ns>::<name>(int id)` (empty when unknown).
# The bytes are kept exactly as they are in the file.
function(tev_embed_files target)
    cmake_parse_arguments(E "" "NAMESPACE;FUNCTION" "FILES" ${ARGN})
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_${E_FUNCTION}.cpp)
    set(args)
    set(deps)
    list(LENGTH E_FILES count)
    math(EXPR last "${count} - 1")
    foreach(i RANGE 0 ${last} 2)
        math(EXPR j "${i} + 1")
        list(GET E_FILES ${i} id)
        list(GET E_FILES ${j} path)
        get_filename_component(path ${path} ABSOLUTE)
        list(APPEND args "${id}=${path}")
        list(APPEND deps ${path})
    endforeach()
    add_custom_command(
        OUTPUT ${out}
        COMMAND ${CMAKE_COMMAND} -DOUT=${out} -DNS=${E_NAMESPACE} -DFUNC=${E_FUNCTION}
                "-DITEMS=${args}" -P ${PROJECT_SOURCE_DIR}/cmake/TevEmbedGenerate.cmake
        DEPENDS ${deps} ${PROJECT_SOURCE_DIR}/cmake/TevEmbedGenerate.cmake
        VERBATIM)
    target_sources(${target} PRIVATE ${out})
endfunction()
