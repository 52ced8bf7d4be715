# Gives every test gtest_discover_tests found in a target the environment
# listed. A list value does not survive gtest_discover_tests' PROPERTIES (it
# is split into separate arguments), so it is set by a script that ctest
# runs after the discovered tests are defined.
function(quillon_test_environment target)
    set(script ${CMAKE_CURRENT_BINARY_DIR}/${target}_environment.cmake)
    file(WRITE ${script} "if(${target}_TESTS)
  set_tests_properties(\${${target}_TESTS} PROPERTIES ENVIRONMENT
    [==[${ARGN}]==])
endif()
")
    set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${script})
endfunction()
