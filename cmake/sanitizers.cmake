# Instrumentation for the robustness builds, applied to every target that
# follows so that the core and its callers are checked alike. Errors stop
# the program instead of being reported and passed over, so a test or a
# fuzz run cannot go green past one.
if(QUILLON_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "QUILLON_FUZZ needs clang, which brings libFuzzer")
    endif()
    set(QUILLON_SANITIZE ON)
    # Coverage feedback for the fuzzer in every object; only the fuzz
    # targets link the fuzzer's own main.
    add_compile_options(-fsanitize=fuzzer-no-link)
endif()

if(QUILLON_SANITIZE)
    if(MSVC OR WIN32)
        message(FATAL_ERROR "QUILLON_SANITIZE is for host builds")
    endif()
    set(QUILLON_SANITIZER_FLAGS
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_compile_options(${QUILLON_SANITIZER_FLAGS})
    add_link_options(${QUILLON_SANITIZER_FLAGS})
endif()
