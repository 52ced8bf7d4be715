# quillon.exe: the core, the Win32 layer and the resources, linked statically
# so that nothing beyond Windows itself is needed to run it.
file(GLOB QUILLON_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(quillon_win32 STATIC ${QUILLON_WIN32_SOURCES})
target_link_libraries(quillon_win32 PUBLIC quillon_core
    user32 gdi32 advapi32 winspool shell32 ole32 oleaut32 uuid comctl32)
target_compile_definitions(quillon_win32 PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

# The resource compilers report no dependencies of their own, so a changed
# icon, manifest or version would otherwise leave an old quillon.exe behind.
set_source_files_properties(res/quillon.rc PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/quillon.ico;${CMAKE_SOURCE_DIR}/res/quillon.manifest;${CMAKE_SOURCE_DIR}/res/version.h;${CMAKE_SOURCE_DIR}/res/resource.h")

# The entry point is the only file that knows whether the log is on, so a
# second program with the log on can be built beside the first for tests.
function(quillon_program target diagnostics)
    add_executable(${target} WIN32 src/platform/win32/entry/winmain.cpp res/quillon.rc)
    target_link_libraries(${target} PRIVATE quillon_win32)
    target_include_directories(${target} PRIVATE res)
    target_compile_definitions(${target} PRIVATE QUILLON_DIAGNOSTICS=${diagnostics})
    if(MINGW)
        target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
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
        target_link_options(${target} PRIVATE -static)
    endforeach()
endif()
