# The test programs' own code is built for a short build: it only drives
# the code under test, for moments, while building it took most of each
# build (tests/ui/about_window_test.cpp: 20 s with the sanitizers, -O1 and
# the fuzzer's coverage, 7 s at -O0 without the coverage). The code under
# test keeps its build's flags, and the sanitizers check -O0 code as fully.
function(quillon_unoptimised target)
    if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
        target_compile_options(${target} PRIVATE -O0)
    endif()
    if(QUILLON_FUZZ)
        # Coverage feedback is for the fuzz targets' code under test.
        target_compile_options(${target} PRIVATE -fno-sanitize=fuzzer-no-link)
    endif()
endfunction()

# A test program whose files each parse GoogleTest and the standard library
# (and windows.h) parses them once.
function(quillon_test_program target)
    quillon_unoptimised(${target})
    target_precompile_headers(${target} PRIVATE <gtest/gtest.h> <algorithm> <string> <vector> ${ARGN})
endfunction()
