# Host benchmarks of the portable core (scripts/bench builds and runs them).
# The whole-run benchmarks use the in-memory platform of the unit tests,
# whose toolkit reports misuse through GoogleTest, hence its library.
find_package(benchmark REQUIRED)
find_package(GTest REQUIRED)
file(GLOB QUILLON_BENCH_SOURCES CONFIGURE_DEPENDS bench/*_bench.cpp)
add_executable(quillon_host_bench ${QUILLON_BENCH_SOURCES} tests/fakes/fake_toolkit.cpp)
target_include_directories(quillon_host_bench PRIVATE tests)
target_link_libraries(quillon_host_bench PRIVATE quillon_core benchmark::benchmark GTest::gtest)
