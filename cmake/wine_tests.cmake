# Tests that need Windows: the Win32 layer's own tests and the end-to-end
# tests that drive quillon.exe. Both are GoogleTest programs built with the
# Windows toolchain; ctest runs them under Wine through tests/wine/wine-run,
# which keeps one project-local Wine prefix in the build folder.
set(QUILLON_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${QUILLON_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main)
    target_compile_options(${target} PRIVATE -Wno-error)
endforeach()

include(GoogleTest)
# The end-to-end tests read the log of a run, so they also get a program with
# the log switched on.
# It is called quillon.exe too, in a folder of its own, so that its log does
# not mix with the runs of the normal program.
quillon_program(quillon-diagnostics 1)
set_target_properties(quillon-diagnostics PROPERTIES
    OUTPUT_NAME quillon RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/diagnostics)

set(QUILLON_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix CACHE PATH "Wine prefix of the tests")
set(QUILLON_WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine/wine-run)

function(quillon_wine_test target)
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR
        ${QUILLON_WINE_RUN} ${QUILLON_WINE_PREFIX})
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 120
        DISCOVERY_MODE PRE_TEST
        PROPERTIES RUN_SERIAL TRUE TIMEOUT 300
            ENVIRONMENT "QUILLON_EXE=${CMAKE_BINARY_DIR}/quillon.exe;QUILLON_DIAGNOSTICS_EXE=${CMAKE_BINARY_DIR}/diagnostics/quillon.exe")
endfunction()

file(GLOB QUILLON_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/platform/win32/*.cpp)
add_executable(quillon_win32_tests ${QUILLON_WIN32_TEST_SOURCES})
target_link_libraries(quillon_win32_tests PRIVATE quillon_win32)
quillon_wine_test(quillon_win32_tests)

file(GLOB QUILLON_E2E_SOURCES CONFIGURE_DEPENDS tests/wine/*.cpp)
if(QUILLON_E2E_SOURCES)
    add_executable(quillon_e2e_tests ${QUILLON_E2E_SOURCES})
    target_include_directories(quillon_e2e_tests PRIVATE tests)
    target_link_libraries(quillon_e2e_tests PRIVATE user32 advapi32 winspool shell32 ole32 uuid)
    target_compile_definitions(quillon_e2e_tests PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX)
    add_dependencies(quillon_e2e_tests quillon quillon-diagnostics)
    quillon_wine_test(quillon_e2e_tests)
endif()
