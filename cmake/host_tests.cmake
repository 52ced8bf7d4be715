# Unit tests of the portable core against the in-memory platform, built for
# the machine that builds; scripts/test runs them in the sanitizer build.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE QUILLON_UNIT_TEST_SOURCES CONFIGURE_DEPENDS
    tests/fakes/*.cpp tests/platform/*.cpp tests/base/*.cpp tests/app/*.cpp tests/printers/*.cpp tests/settings/*.cpp
    tests/shortcuts/*.cpp tests/networks/*.cpp tests/ui/*.cpp)
add_executable(quillon_unit_tests ${QUILLON_UNIT_TEST_SOURCES})
target_include_directories(quillon_unit_tests PRIVATE tests)
# The policy template test reads the templates where they are kept.
target_compile_definitions(quillon_unit_tests PRIVATE
    QUILLON_POLICY_DIR="${CMAKE_CURRENT_SOURCE_DIR}/packaging/policy")
target_link_libraries(quillon_unit_tests PRIVATE quillon_core GTest::gtest GTest::gtest_main)
include(cmake/test_programs.cmake)
quillon_test_program(quillon_unit_tests)
# Named apart from the Windows tests, some of which share a suite and a name
# with them: ctest runs both trees at once and mixes up tests of one name
# (it ended a Wine session while the Windows test of such a name ran).
gtest_discover_tests(quillon_unit_tests DISCOVERY_TIMEOUT 60 TEST_PREFIX unit/)
if(QUILLON_SANITIZE)
    # Beyond the sanitizers' defaults: leaks, string functions reading past
    # the end, and locals used after their function returned.
    include(cmake/test_environment.cmake)
    quillon_test_environment(quillon_unit_tests
        ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1
        UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)
endif()
