# Programs the end-to-end tests put in place of a part of the system, built
# beside quillon.exe; the tests find each by its path from QUILLON_EXE.

# A winspool.drv whose printer connections lead to a print server that does
# not answer; a test puts it into Wine's system folder for one run.
add_library(quillon_stalled_spooler SHARED tests/wine/stalled_spooler/stalled_spooler.cpp)
set_target_properties(quillon_stalled_spooler PROPERTIES PREFIX "" OUTPUT_NAME winspool
    SUFFIX .drv RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stalled-spooler
    ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/stalled-spooler)
target_link_options(quillon_stalled_spooler PRIVATE -static -static-libgcc -static-libstdc++)
