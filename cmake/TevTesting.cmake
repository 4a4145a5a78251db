# tev_add_test(<name> SOURCES <files...> LIBS <targets...> [WINDOW | TOOLKIT_FREE]
#              [TIMEOUT <s>])
#
# One GoogleTest executable, registered with CTest as one test. WINDOW tests create real
# windows: they link the toolkit test main (tev_test_main_wx) and run on an X display of
# their own (tev_window_test_command). The other tests get no display at all, so one that
# needed a display without saying so fails instead of borrowing the desktop's. TOOLKIT_FREE
# tests fail when a wxWidgets, GTK or WebKit library was loaded into them by the end.
set(TEV_OWN_DISPLAY ${CMAKE_CURRENT_LIST_DIR}/../tests/support/run-on-own-display.sh)
set(TEV_TOOLKIT_FREE_CHECK ${CMAKE_CURRENT_LIST_DIR}/../tests/support/ToolkitFreeCheck.cpp)

# The command that runs `program` (and its arguments) on a display of its own.
function(tev_window_test_command out)
    set(${out} ${TEV_OWN_DISPLAY} ${ARGN} PARENT_SCOPE)
endfunction()

function(tev_add_test name)
    cmake_parse_arguments(T "WINDOW;TOOLKIT_FREE" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    if(T_TOOLKIT_FREE)
        target_sources(${name} PRIVATE ${TEV_TOOLKIT_FREE_CHECK})
    endif()
    if(T_WINDOW)
        set(main tev_test_main_wx)
    else()
        set(main GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE ${T_LIBS} tev_test_support GTest::gtest ${main})
    tev_use_program_allocator(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    # Bounds that only a hang reaches: window tests open web views and whole windows, which
    # take many times longer on a busy machine.
    if(NOT T_TIMEOUT AND T_WINDOW)
        set(T_TIMEOUT 600)
    elseif(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    if(T_WINDOW)
        tev_window_test_command(command $<TARGET_FILE:${name}>)
        add_test(NAME ${name} COMMAND ${command})
        set_tests_properties(${name} PROPERTIES LABELS window)
    else()
        add_test(NAME ${name} COMMAND ${name})
        set_tests_properties(${name} PROPERTIES
            ENVIRONMENT_MODIFICATION "DISPLAY=unset:;WAYLAND_DISPLAY=unset:")
    endif()
    # Every test program has a registry store of its own, never the user's; the control is
    # found through the machine's classes the build writes beside the program.
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "TEV_REGISTRY_DIR=${CMAKE_BINARY_DIR}/tests/registry/${name}")
endfunction()
