# One libFuzzer program per file in tests/fuzz, named after it
# (pattern_fuzz.cpp gives quillon_fuzz_pattern). scripts/fuzz runs them on
# the seed corpora in tests/fuzz/corpus/<name>; ctest runs each for a short
# smoke, one core each.
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

if(QUILLON_TESTS)
    foreach(source ${QUILLON_FUZZ_SOURCES})
        get_filename_component(name ${source} NAME_WE)
        string(REGEX REPLACE "_fuzz$" "" name ${name})
        # Every seed of the corpus, then three seconds of new inputs: the
        # seeds hold each rule's edges, and longer runs are scripts/fuzz's.
        add_test(NAME fuzz_smoke_${name} COMMAND ${CMAKE_SOURCE_DIR}/scripts/fuzz 3 ${name})
        set_tests_properties(fuzz_smoke_${name} PROPERTIES TIMEOUT 300 LABELS checks COST 40 ENVIRONMENT
            "QUILLON_FUZZ_BUILT=1;QUILLON_FUZZ_JOBS=1;QUILLON_ASAN_BUILD=${CMAKE_BINARY_DIR}")
    endforeach()
    # The static checks read this tree's compile commands (and the Windows
    # tree's); clang-tidy runs two files at a time. The longest of the tests
    # that only compute, so ctest starts it first after the Wine tests.
    add_test(NAME lint COMMAND ${CMAKE_SOURCE_DIR}/scripts/lint)
    set_tests_properties(lint PROPERTIES TIMEOUT 600 PROCESSORS 2 LABELS checks COST 50
        ENVIRONMENT "QUILLON_ASAN_BUILD=${CMAKE_BINARY_DIR}")
endif()
