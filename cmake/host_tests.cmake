# Unit tests of the portable core against the in-memory platform, built for
# the machine that builds.
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB_RECURSE QUILLON_UNIT_TEST_SOURCES CONFIGURE_DEPENDS
    tests/fakes/*.cpp tests/base/*.cpp tests/app/*.cpp tests/printers/*.cpp tests/settings/*.cpp
    tests/shortcuts/*.cpp tests/ui/*.cpp)
add_executable(quillon_unit_tests ${QUILLON_UNIT_TEST_SOURCES})
target_include_directories(quillon_unit_tests PRIVATE tests)
target_link_libraries(quillon_unit_tests PRIVATE quillon_core GTest::gtest GTest::gtest_main)
gtest_discover_tests(quillon_unit_tests DISCOVERY_TIMEOUT 60)
