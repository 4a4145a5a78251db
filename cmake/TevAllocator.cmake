# The program allocates with mimalloc: opening a calendar makes and frees tens of thousands
# of small objects (events, their texts, the store's tables), which glibc's allocator serves
# at about twice the cost. The library is linked as the program's own first dependency, so
# that every library of the process, modules opened later included, allocates from it.
find_package(mimalloc 2.0 REQUIRED)

function(tev_use_program_allocator target)
    target_link_libraries(${target} PRIVATE -Wl,--push-state,--no-as-needed mimalloc
                                            -Wl,--pop-state)
endfunction()
