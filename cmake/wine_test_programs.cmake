# Programs the end-to-end tests put in place of a part of the system, built
# beside quillon.exe; the tests find each by its path from QUILLON_EXE.

# A winspool.drv whose printer connections lead to a print server that does
# not answer; a test puts it into Wine's system folder for one run.
add_library(quillon_stalled_spooler SHARED tests/wine/stalled_spooler/stalled_spooler.cpp)
set_target_properties(quillon_stalled_spooler PROPERTIES PREFIX "" OUTPUT_NAME winspool
    SUFFIX .drv RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stalled-spooler
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stalled-spooler)
target_link_options(quillon_stalled_spooler PRIVATE -static -static-libgcc -static-libstdc++)

# quillon.exe without the manifest's UTF-8 entry, as systems before
# Windows 10 1903 run it: in the ANSI code page of the user's locale.
set(folder ${CMAKE_BINARY_DIR}/locale-code-page)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/res/quillon.manifest)
file(READ ${CMAKE_SOURCE_DIR}/res/quillon.manifest manifest)
string(REGEX REPLACE "[ ]*<activeCodePage[^\n]*\n" "" locale_manifest "${manifest}")
if(locale_manifest STREQUAL manifest)
    message(FATAL_ERROR "res/quillon.manifest has no activeCodePage line to leave out")
endif()
file(WRITE ${folder}/quillon.manifest "${locale_manifest}")
file(WRITE ${folder}/quillon.rc "#define QUILLON_MANIFEST_FILE \"${folder}/quillon.manifest\"
#include \"${CMAKE_SOURCE_DIR}/res/quillon.rc\"
")
quillon_program(quillon-locale-code-page 0 ${folder}/quillon.rc)
set_target_properties(quillon-locale-code-page PROPERTIES
    OUTPUT_NAME quillon RUNTIME_OUTPUT_DIRECTORY ${folder})
