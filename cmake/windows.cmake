# quillon.exe: the core, the Win32 layer and the resources, linked statically
# so that nothing beyond Windows itself is needed to run it.
file(GLOB QUILLON_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
add_library(quillon_win32 STATIC ${QUILLON_WIN32_SOURCES})
target_link_libraries(quillon_win32 PUBLIC quillon_core advapi32 uuid)
target_compile_definitions(quillon_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

# The system libraries that only some runs need (windows, waits and the
# broadcast; the common controls; shortcuts and the about window's links;
# the spooler) are delay-loaded: the first call loads them, from the system
# folder only once the entry point has said so. A quiet command-line run
# loads none of them, and the import table names only libraries the system
# always takes from its own folder (kernel32, advapi32, the C runtime).
set(QUILLON_DELAY_LOADED
    user32=user32.dll gdi32=gdi32.dll comctl32=comctl32.dll shell32=shell32.dll
    ole32=ole32.dll oleaut32=oleaut32.dll winspool=winspool.drv)
if(MSVC)
    foreach(entry IN LISTS QUILLON_DELAY_LOADED)
        string(REPLACE "=" ";" entry "${entry}")
        list(GET entry 0 library)
        list(GET entry 1 dll)
        target_link_libraries(quillon_win32 PUBLIC ${library})
        target_link_options(quillon_win32 PUBLIC /DELAYLOAD:${dll})
    endforeach()
    # delayimp holds the helper that loads them; 0x800 is
    # LOAD_LIBRARY_SEARCH_SYSTEM32 for the libraries the program imports.
    target_link_libraries(quillon_win32 PUBLIC delayimp)
    target_link_options(quillon_win32 PUBLIC /DEPENDENTLOADFLAG:0x800)
else()
    # MinGW has no /DELAYLOAD: dlltool makes a delay-import library of each
    # from the toolchain's import library. They come before the compiler's
    # own default libraries on the link line, so they take every call.
    set(delay_folder ${CMAKE_BINARY_DIR}/delay-import)
    set(delay_libraries)
    foreach(entry IN LISTS QUILLON_DELAY_LOADED)
        string(REPLACE "=" ";" entry "${entry}")
        list(GET entry 0 library)
        list(GET entry 1 dll)
        find_library(QUILLON_IMPORT_LIBRARY_${library} ${library} REQUIRED)
        set(output ${delay_folder}/lib${library}_delay.a)
        add_custom_command(OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${delay_folder}
            COMMAND ${CMAKE_COMMAND} -DNM=${CMAKE_NM} -DDLLTOOL=${CMAKE_DLLTOOL}
                -DIMPORT_LIBRARY=${QUILLON_IMPORT_LIBRARY_${library}} -DDLL=${dll}
                -DOUTPUT=${output} -P ${CMAKE_SOURCE_DIR}/cmake/delay_import_library.cmake
            DEPENDS ${CMAKE_SOURCE_DIR}/cmake/delay_import_library.cmake
                ${QUILLON_IMPORT_LIBRARY_${library}}
            VERBATIM)
        list(APPEND delay_libraries ${output})
    endforeach()
    add_custom_target(quillon_delay_import_libraries DEPENDS ${delay_libraries})
    add_dependencies(quillon_win32 quillon_delay_import_libraries)
    target_link_libraries(quillon_win32 PUBLIC ${delay_libraries})
endif()

# The messages of the events in the Application log: the message compiler
# makes a message table of res/quillon_events.mc (a .bin per language and
# quillon_events.rc, which names them), and quillon.rc includes it.
get_filename_component(rc_folder "${CMAKE_RC_COMPILER}" DIRECTORY)
if(MSVC)
    find_program(QUILLON_MC NAMES mc HINTS "${rc_folder}" REQUIRED)
else()
    # Beside the resource compiler, with its prefix.
    get_filename_component(rc_name "${CMAKE_RC_COMPILER}" NAME)
    string(REPLACE windres windmc mc_name "${rc_name}")
    find_program(QUILLON_MC NAMES "${mc_name}" windmc HINTS "${rc_folder}" REQUIRED)
endif()
set(QUILLON_EVENTS_FOLDER ${CMAKE_BINARY_DIR}/events)
add_custom_command(OUTPUT ${QUILLON_EVENTS_FOLDER}/quillon_events.rc ${QUILLON_EVENTS_FOLDER}/MSG00409.bin
    COMMAND ${CMAKE_COMMAND} -E make_directory ${QUILLON_EVENTS_FOLDER}
    # mc.exe takes the file from the folder it runs in.
    COMMAND ${QUILLON_MC} -U -h ${QUILLON_EVENTS_FOLDER} -r ${QUILLON_EVENTS_FOLDER} quillon_events.mc
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/res
    DEPENDS ${CMAKE_SOURCE_DIR}/res/quillon_events.mc
    COMMENT "Compiling the event messages"
    VERBATIM)
add_custom_target(quillon_events DEPENDS ${QUILLON_EVENTS_FOLDER}/quillon_events.rc)

# The resource compilers report no dependencies of their own, so a changed
# icon, manifest, version or message would otherwise leave an old
# quillon.exe behind.
set_source_files_properties(res/quillon.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/quillon.ico;${CMAKE_SOURCE_DIR}/res/quillon.manifest;${CMAKE_SOURCE_DIR}/res/version.h;${CMAKE_SOURCE_DIR}/res/resource.h;${QUILLON_EVENTS_FOLDER}/quillon_events.rc;${QUILLON_EVENTS_FOLDER}/MSG00409.bin")

# The entry point is the only file that knows whether the log is on, so a
# second program with the log on can be built beside the first for tests.
# A third argument names other resources (a test build's own manifest).
function(quillon_program target diagnostics)
    set(resources res/quillon.rc)
    if(ARGC GREATER 2)
        set(resources ${ARGV2})
    endif()
    add_executable(${target} WIN32 src/main/winmain.cpp ${resources})
    target_link_libraries(${target} PRIVATE quillon_win32)
    target_include_directories(${target} PRIVATE res ${QUILLON_EVENTS_FOLDER})
    add_dependencies(${target} quillon_events)
    target_compile_definitions(${target} PRIVATE QUILLON_DIAGNOSTICS=${diagnostics})
    if(MINGW)
        # Stripped in release builds: the debug sections of the static C++
        # library are half the file, and Wine reads them in at every start.
        # No link time in the header (it reads 0), so that the same sources
        # link to the same bytes on any day.
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++
            -Wl,--no-insert-timestamp $<$<CONFIG:Release,MinSizeRel>:-s>)
    elseif(MSVC)
        set_property(TARGET ${target} PROPERTY
            MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
        # The manifest comes from quillon.rc; a second one from the linker
        # would clash with it.
        target_link_options(${target} PRIVATE /MANIFEST:NO)
    endif()
endfunction()

if(QUILLON_DIAGNOSTICS)
    quillon_program(quillon 1)
else()
    quillon_program(quillon 0)
endif()

# The programs the benchmark runs beside quillon.exe: the reference setter,
# the empty window (also the stand-in for the rest of a desktop session) and
# the timer of windowed starts.
add_executable(quillon_bench_reference WIN32 bench/reference_setter.cpp)
add_executable(quillon_bench_empty_window WIN32 bench/empty_window.cpp)
add_executable(quillon_bench_window_timer bench/window_timer.cpp)
if(MINGW)
    foreach(target quillon_bench_reference quillon_bench_empty_window quillon_bench_window_timer)
        target_link_options(${target} PRIVATE -static $<$<CONFIG:Release,MinSizeRel>:-s>)
    endforeach()
endif()

# What the end-to-end tests put in place of a part of the system.
if(QUILLON_TESTS)
    include(cmake/wine_test_programs.cmake)
endif()
