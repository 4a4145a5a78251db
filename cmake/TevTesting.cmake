# tev_add_test(<name> SOURCES <files...> LIBS <targets...> [WINDOW] [TIMEOUT <s>])
#
# One GoogleTest executable, registered with CTest as one test. WINDOW tests create real
# windows: they link the toolkit test main (tev_test_main_wx) and need a display, which
# the test command provides with xvfb-run.
function(tev_add_test name)
    cmake_parse_arguments(T "WINDOW" "TIMEOUT" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    if(T_WINDOW)
        set(main tev_test_main_wx)
    else()
        set(main GTest::gtest_main)
    endif()
    target_link_libraries(${name} PRIVATE ${T_LIBS} tev_test_support GTest::gtest ${main})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests/bin)
    add_test(NAME ${name} COMMAND ${name})
    if(NOT T_TIMEOUT)
        set(T_TIMEOUT 300)
    endif()
    # Every test program has a registry store of its own, never the user's; the control is
    # found through the machine's classes the build writes beside the program.
    set_tests_properties(${name} PROPERTIES TIMEOUT ${T_TIMEOUT}
        ENVIRONMENT "TEV_REGISTRY_DIR=${CMAKE_BINARY_DIR}/tests/registry/${name}")
    if(T_WINDOW)
        set_tests_properties(${name} PROPERTIES LABELS window)
    endif()
endfunction()
