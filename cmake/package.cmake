# What a Windows user downloads and an administrator deploys, built into
# <build>/dist by the target quillon_package (part of every build, so that a
# broken installer source fails it):
#   quillon-<version>-win64.zip   quillon.exe and README.txt
#   quillon-<version>-x64.msi     the installer of packaging/quillon.wxs
#   README.txt                    the read-me for Windows users
#   policy/quillon.admx, policy/en-US/quillon.adml   the administrative template
# scripts/package copies the folder to dist/ at the top of the source tree.
find_program(QUILLON_WIXL wixl)
if(NOT QUILLON_WIXL)
    if(QUILLON_TESTS)
        message(FATAL_ERROR "The package tests need wixl (Debian package wixl).")
    endif()
    message(STATUS "wixl not found: no release package")
    return()
endif()

find_program(QUILLON_MSIBUILD msibuild REQUIRED)

set(QUILLON_DIST ${CMAKE_BINARY_DIR}/dist)
# quillon.exe's FILEVERSION, which res/quillon.rc spells from the same numbers.
set(QUILLON_FILE_VERSION ${QUILLON_VERSION}.0)
set(QUILLON_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(QUILLON_MSI ${QUILLON_DIST}/quillon-${QUILLON_VERSION}-x64.msi)
set(QUILLON_ZIP ${QUILLON_DIST}/quillon-${QUILLON_VERSION}-win64.zip)

# Packages of an earlier version go, so that the folder holds one release.
file(GLOB QUILLON_OLD_PACKAGES ${QUILLON_DIST}/quillon-*)
list(REMOVE_ITEM QUILLON_OLD_PACKAGES ${QUILLON_MSI} ${QUILLON_ZIP})
if(QUILLON_OLD_PACKAGES)
    file(REMOVE ${QUILLON_OLD_PACKAGES})
endif()

# The read-me names the product code of this version for uninstalling; it is
# the one the installer bears, derived from the upgrade code and the version.
string(UUID QUILLON_README_PRODUCT_CODE NAMESPACE 506FEB97-AD2B-4AA1-A18F-DDB9ACE97654
    NAME ${QUILLON_VERSION} TYPE SHA1 UPPER)
# Windows' own editor shows the read-me, so it gets Windows line ends.
configure_file(${QUILLON_PACKAGING}/README.txt.in ${QUILLON_DIST}/README.txt
    @ONLY NEWLINE_STYLE CRLF)
configure_file(${QUILLON_PACKAGING}/policy/quillon.admx ${QUILLON_DIST}/policy/quillon.admx COPYONLY)
configure_file(${QUILLON_PACKAGING}/policy/en-US/quillon.adml
    ${QUILLON_DIST}/policy/en-US/quillon.adml COPYONLY)

# The installer of a program target, labelled with the version given, into
# the file given; the tests build a second one of a higher version. wixl
# finds its source files only by paths relative to the folder it runs in, so
# the program and the icon are put side by side for it first. It passes over
# an attribute it does not know with a warning, and leaves out what the
# attribute asked for; as a fatal warning that fails the build instead.
function(quillon_msi output version program)
    get_filename_component(name ${output} NAME)
    set(stage ${CMAKE_BINARY_DIR}/package-files/${name})
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
        COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:${program}>
            ${CMAKE_SOURCE_DIR}/res/quillon.ico ${stage}
        COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
            ${CMAKE_COMMAND} -E env G_DEBUG=fatal-warnings
            ${QUILLON_WIXL} --arch x64 --output ${output}
            --define "Version=${version}"
            --define "ProductName=${QUILLON_PRODUCT_NAME}"
            --define "Manufacturer=${QUILLON_COMPANY_NAME}"
            ${QUILLON_PACKAGING}/quillon.wxs
        # wixl writes no file versions. Without one Windows Installer takes
        # quillon.exe for an unversioned file and compares it by hash and
        # date instead of by version; the version is that of its resource
        # (res/version.h, U.S. English), and an unversioned file's hash goes.
        COMMAND ${QUILLON_MSIBUILD} ${output}
            -q "UPDATE `File` SET `Version` = '${QUILLON_FILE_VERSION}', `Language` = '1033' WHERE `File` = 'QuillonExe'"
            -q "DELETE FROM `MsiFileHash` WHERE `File_` = 'QuillonExe'"
        DEPENDS ${program} ${QUILLON_PACKAGING}/quillon.wxs ${CMAKE_SOURCE_DIR}/res/quillon.ico
        COMMENT "Building ${output}"
        VERBATIM)
endfunction()

quillon_msi(${QUILLON_MSI} ${QUILLON_VERSION} quillon)

# The zip holds the two files at its top, under the names they get on the PC.
set(stage ${CMAKE_BINARY_DIR}/package-files/zip)
add_custom_command(OUTPUT ${QUILLON_ZIP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:quillon> ${QUILLON_DIST}/README.txt ${stage}
    COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
        ${CMAKE_COMMAND} -E tar cf ${QUILLON_ZIP} --format=zip quillon.exe README.txt
    DEPENDS quillon ${QUILLON_DIST}/README.txt
    COMMENT "Building ${QUILLON_ZIP}"
    VERBATIM)

add_custom_target(quillon_package ALL DEPENDS ${QUILLON_MSI} ${QUILLON_ZIP})
