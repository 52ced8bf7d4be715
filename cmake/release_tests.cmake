# The release as scripts/package makes it, built once more in a folder of
# its own and compared with this tree's package, then signed there. The two
# share the folder, so they run one after the other; they need no Wine and
# may run beside the Wine tests.
set(QUILLON_RELEASE_CHECK ${CMAKE_BINARY_DIR}/release-check)
foreach(mode reproducible signed)
    add_test(NAME release_${mode} COMMAND ${CMAKE_SOURCE_DIR}/tests/packaging/release_test.sh
        ${mode} ${CMAKE_SOURCE_DIR} ${QUILLON_DIST} ${QUILLON_RELEASE_CHECK})
    set_tests_properties(release_${mode} PROPERTIES
        RESOURCE_LOCK quillon_release_check TIMEOUT 900 PROCESSORS 2)
endforeach()
set_tests_properties(release_signed PROPERTIES DEPENDS release_reproducible)
