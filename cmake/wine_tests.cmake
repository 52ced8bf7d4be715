# Tests that need Windows: the Win32 layer's own tests and the end-to-end
# tests that drive quillon.exe. Both are GoogleTest programs built with the
# Windows toolchain; ctest runs them under Wine through tests/wine/wine-run,
# which keeps one project-local Wine prefix in the build folder.
set(QUILLON_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources to build for Windows")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(${QUILLON_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
include(cmake/test_programs.cmake)
foreach(target gtest gtest_main)
    target_compile_options(${target} PRIVATE -Wno-error)
    quillon_unoptimised(${target})
endforeach()

include(GoogleTest)
include(cmake/test_environment.cmake)
# The end-to-end tests read the log of a run, so they also get a program with
# the log switched on.
# It is called quillon.exe too, in a folder of its own, so that its log does
# not mix with the runs of the normal program.
quillon_program(quillon-diagnostics 1)
set_target_properties(quillon-diagnostics PROPERTIES
    OUTPUT_NAME quillon RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/diagnostics)

# Two prefixes, one for the Win32 layer's tests and one for the end-to-end
# tests, so that the two run side by side; within a prefix they run one at a
# time, as some change its settings (the Windows version Wine reports, the
# default printer) for a moment. They take long waiting for windows, so ctest
# starts them before anything else and fills the time between with the
# tests that only compute.
set(QUILLON_WINE_PREFIXES ${CMAKE_BINARY_DIR}/wine-prefix-win32 ${CMAKE_BINARY_DIR}/wine-prefix-e2e
    CACHE STRING "Wine prefixes of the Win32-layer tests and of the end-to-end tests")
set(QUILLON_WINE_RUN ${CMAKE_SOURCE_DIR}/tests/wine/wine-run)

# The installer tests upgrade the package to a second installer of the next
# version, which holds the program with the log on, so that the file it
# replaced shows.
math(EXPR next_revision "${QUILLON_VERSION_REVISION} + 1")
set(QUILLON_NEXT_VERSION ${QUILLON_VERSION_MAJOR}.${QUILLON_VERSION_MINOR}.${next_revision})
set(QUILLON_NEXT_MSI ${CMAKE_BINARY_DIR}/next/quillon-${QUILLON_NEXT_VERSION}-x64.msi)
quillon_msi(${QUILLON_NEXT_MSI} ${QUILLON_NEXT_VERSION} quillon-diagnostics)
add_custom_target(quillon_next_msi ALL DEPENDS ${QUILLON_NEXT_MSI})

# What the Windows tests find through the environment: the programs and
# packages under test and the sources they are checked against.
set(QUILLON_TEST_ENVIRONMENT
    QUILLON_EXE=${CMAKE_BINARY_DIR}/quillon.exe
    QUILLON_DIAGNOSTICS_EXE=${CMAKE_BINARY_DIR}/diagnostics/quillon.exe
    QUILLON_MSI=${QUILLON_MSI}
    QUILLON_NEXT_MSI=${QUILLON_NEXT_MSI}
    QUILLON_NEXT_VERSION=${QUILLON_NEXT_VERSION}
    QUILLON_ICON=${CMAKE_SOURCE_DIR}/res/quillon.ico
    QUILLON_ADMX=${CMAKE_SOURCE_DIR}/packaging/policy/quillon.admx
    QUILLON_PLANTED_LIBRARIES=${CMAKE_BINARY_DIR}/planted)

# Keeps the desktop of a prefix's Wine session: tests/wine/wine-run starts it
# from beside the test program before the first program of the session runs.
add_executable(quillon_session_keeper WIN32 tests/wine/session_keeper/session_keeper.cpp)
target_link_options(quillon_session_keeper PRIVATE -static -static-libgcc -static-libstdc++)

function(quillon_wine_test target prefix)
    target_link_libraries(${target} PRIVATE GTest::gtest GTest::gtest_main)
    add_dependencies(${target} quillon_session_keeper)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    set_property(TARGET ${target} PROPERTY CROSSCOMPILING_EMULATOR ${QUILLON_WINE_RUN} ${prefix})
    # The last test of a prefix to finish ends its Wine session and the X
    # server that wine-run may have started for it.
    get_filename_component(lane ${prefix} NAME)
    if(NOT TEST ${lane}_stop)
        add_test(NAME ${lane}_stop COMMAND ${QUILLON_WINE_RUN} --stop ${prefix})
        set_tests_properties(${lane}_stop PROPERTIES FIXTURES_CLEANUP ${lane} LABELS wine)
    endif()
    gtest_discover_tests(${target}
        DISCOVERY_TIMEOUT 120
        DISCOVERY_MODE PRE_TEST
        PROPERTIES RESOURCE_LOCK ${lane} TIMEOUT 300 FIXTURES_REQUIRED ${lane} COST 100 LABELS wine)
    # The programs under test are named through the environment.
    quillon_test_environment(${target} ${QUILLON_TEST_ENVIRONMENT})
endfunction()

file(GLOB QUILLON_WIN32_TEST_SOURCES CONFIGURE_DEPENDS tests/win32/*.cpp)
add_executable(quillon_win32_tests ${QUILLON_WIN32_TEST_SOURCES})
target_link_libraries(quillon_win32_tests PRIVATE quillon_win32)
list(GET QUILLON_WINE_PREFIXES 0 QUILLON_WIN32_PREFIX)
quillon_test_program(quillon_win32_tests <windows.h>)
quillon_wine_test(quillon_win32_tests ${QUILLON_WIN32_PREFIX})

# The separate process that the Win32 tests start, for what only a process
# of its own can show (its command line, its version, ending with a code,
# appending to a file at the same time as another process). It is found
# beside the test program.
add_executable(quillon_win32_child tests/win32/child/child_main.cpp tests/win32/child/child.rc)
set_source_files_properties(tests/win32/child/child.rc PROPERTIES OBJECT_DEPENDS
    ${CMAKE_SOURCE_DIR}/tests/win32/child/child.manifest)
target_link_libraries(quillon_win32_child PRIVATE quillon_win32)
target_link_options(quillon_win32_child PRIVATE -static -static-libgcc -static-libstdc++)
add_dependencies(quillon_win32_tests quillon_win32_child)

# The zip, the read-me and the template, read natively.
add_test(NAME package_contents COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/packaging/package_test.py)
set_tests_properties(package_contents PROPERTIES ENVIRONMENT
    "QUILLON_DIST=${QUILLON_DIST};QUILLON_EXE=$<TARGET_FILE:quillon>")
# The loader's list of what the program needs of the system, against the
# oldest system its header names.
add_test(NAME program_imports COMMAND python3 ${CMAKE_SOURCE_DIR}/tests/packaging/imports_test.py)
set_tests_properties(program_imports PROPERTIES ENVIRONMENT
    "QUILLON_EXE=$<TARGET_FILE:quillon>;QUILLON_OBJDUMP=${CMAKE_OBJDUMP}")

# The end-to-end tests drive quillon.exe through one driver. The layout
# check, a row per language and look, runs in the Win32 layer's prefix,
# whose own tests take seconds: so the two lanes take about as long.
add_library(quillon_e2e_driver STATIC tests/wine/driver.cpp tests/wine/layout.cpp tests/wine/link_reader.cpp)
# res/ for version.h: the installer must label the program as it labels itself.
target_include_directories(quillon_e2e_driver PUBLIC tests tests/wine res)
target_compile_definitions(quillon_e2e_driver PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)
# The catalogue of texts: the tests find each language's windows by it.
target_link_libraries(quillon_e2e_driver PUBLIC quillon_core GTest::gtest
    user32 gdi32 advapi32 winspool shell32 ole32 uuid msi)
quillon_test_program(quillon_e2e_driver <windows.h>)

function(quillon_e2e_program target prefix)
    add_executable(${target} ${ARGN} tests/wine/e2e_tests.rc)
    set_source_files_properties(tests/wine/e2e_tests.rc PROPERTIES OBJECT_DEPENDS
        ${CMAKE_SOURCE_DIR}/tests/wine/e2e_tests.manifest)
    target_link_libraries(${target} PRIVATE quillon_e2e_driver)
    quillon_unoptimised(${target})
    target_precompile_headers(${target} REUSE_FROM quillon_e2e_driver)
    add_dependencies(${target} quillon quillon-diagnostics quillon-locale-code-page
        quillon_stalled_spooler quillon_font_report
        quillon_package quillon_next_msi)
    quillon_wine_test(${target} ${prefix})
endfunction()

file(GLOB QUILLON_E2E_SOURCES CONFIGURE_DEPENDS tests/wine/*_test.cpp)
list(REMOVE_ITEM QUILLON_E2E_SOURCES ${CMAKE_SOURCE_DIR}/tests/wine/layout_test.cpp)
list(GET QUILLON_WINE_PREFIXES 1 QUILLON_E2E_PREFIX)
quillon_e2e_program(quillon_e2e_tests ${QUILLON_E2E_PREFIX} ${QUILLON_E2E_SOURCES})
quillon_e2e_program(quillon_layout_tests ${QUILLON_WIN32_PREFIX} tests/wine/layout_test.cpp)

# "/network" in a network namespace of its own with adapters to take up and
# down: a Wine session of its own, in a copy of the end-to-end prefix, so it
# needs that lane's prefix but not its session.
add_test(NAME network_namespace COMMAND ${CMAKE_SOURCE_DIR}/tests/wine/network_namespace_test.sh
    ${QUILLON_WINE_RUN} ${QUILLON_E2E_PREFIX} $<TARGET_FILE:quillon> $<TARGET_FILE:quillon_e2e_tests>)
get_filename_component(e2e_lane ${QUILLON_E2E_PREFIX} NAME)
set_tests_properties(network_namespace PROPERTIES
    FIXTURES_REQUIRED ${e2e_lane} TIMEOUT 300 COST 100 LABELS wine)

# Loaded into quillon.exe by the layout tests to read its controls' fonts;
# found beside the test program.
add_library(quillon_font_report SHARED tests/wine/font_report/font_report.cpp)
target_include_directories(quillon_font_report PRIVATE tests)
target_link_libraries(quillon_font_report PRIVATE user32 gdi32)
target_link_options(quillon_font_report PRIVATE -static -static-libgcc -static-libstdc++)
set_target_properties(quillon_font_report PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})

# Libraries the tests plant beside a copy of quillon.exe under the names
# of system libraries it loads; each marks that it was loaded.
foreach(name winspool.drv shell32.dll user32.dll gdi32.dll comctl32.dll uxtheme.dll)
    string(REPLACE "." "_" target quillon_planted_${name})
    string(REGEX REPLACE "\\.[^.]*$" "" base ${name})
    string(REGEX MATCH "\\.[^.]*$" suffix ${name})
    add_library(${target} SHARED tests/wine/planted/planted_library.cpp)
    set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${base} SUFFIX ${suffix}
        RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/planted)
    target_link_options(${target} PRIVATE -static)
    add_dependencies(quillon_e2e_tests ${target})
endforeach()
