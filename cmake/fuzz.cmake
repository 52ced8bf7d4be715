# One libFuzzer program per file in tests/fuzz, named after it
# (pattern_fuzz.cpp gives quillon_fuzz_pattern). scripts/fuzz runs them on
# the seed corpora in tests/fuzz/corpus/<name>.
file(GLOB QUILLON_FUZZ_SOURCES CONFIGURE_DEPENDS tests/fuzz/*_fuzz.cpp)
foreach(source ${QUILLON_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    string(REGEX REPLACE "_fuzz$" "" name ${name})
    # The fakes give the targets the code pages a test can put in force.
    add_executable(quillon_fuzz_${name} ${source} tests/fakes/fake_code_page.cpp)
    target_include_directories(quillon_fuzz_${name} PRIVATE tests)
    target_link_libraries(quillon_fuzz_${name} PRIVATE quillon_core)
    target_link_options(quillon_fuzz_${name} PRIVATE -fsanitize=fuzzer)
endforeach()
