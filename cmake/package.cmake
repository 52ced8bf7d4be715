# What a Windows user downloads and an administrator deploys, built into
# <build>/dist by the target quillon_package (part of every build, so that a
# broken installer source fails it):
#   quillon-<version>-win64.zip   quillon.exe and README.txt
#   quillon-<version>-x64.msi     the installer of packaging/quillon.wxs
#   README.txt                    the read-me for Windows users, made from
#                                 README.md
#   policy/quillon.admx, policy/<language>/quillon.adml   the administrative
#                                 template and its texts, en-US and the others
#   SHA256SUMS                    the checksums of all the others, made last
# scripts/package copies the folder to dist/ at the top of the source tree.
# The same commit gives the same program and zip, and an installer with the
# same tables and files, wherever and whenever it is built: the linker writes
# no time, and packaging/pack.py gives every packed file the commit's time.
# With QUILLON_SIGN_PKCS12 and QUILLON_SIGN_PASSWORD_FILE the program is
# signed before it is packed, and the installer after.
find_program(QUILLON_WIXL wixl)
if(NOT QUILLON_WIXL)
    if(QUILLON_TESTS)
        message(FATAL_ERROR "The package tests need wixl (Debian package wixl).")
    endif()
    message(STATUS "wixl not found: no release package")
    return()
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QUILLON_PACK ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/packaging/pack.py)

set(QUILLON_SIGN_PKCS12 "" CACHE FILEPATH "PKCS#12 file of the certificate to sign the package with")
set(QUILLON_SIGN_PASSWORD_FILE "" CACHE FILEPATH "File holding the password of QUILLON_SIGN_PKCS12")
set(QUILLON_SIGN_TIMESTAMP_URL "" CACHE STRING "RFC 3161 time-stamp server for the signatures")
set(QUILLON_SIGN)
if(QUILLON_SIGN_PKCS12)
    if(NOT QUILLON_SIGN_PASSWORD_FILE)
        message(FATAL_ERROR "QUILLON_SIGN_PKCS12 needs QUILLON_SIGN_PASSWORD_FILE, the file of its password.")
    endif()
    find_program(QUILLON_OSSLSIGNCODE osslsigncode REQUIRED)
    set(QUILLON_SIGN COMMAND ${QUILLON_PACK} sign <file> ${QUILLON_SIGN_PKCS12}
        ${QUILLON_SIGN_PASSWORD_FILE} ${QUILLON_SIGN_TIMESTAMP_URL})
    # Every link of the program is signed, so whatever packs it packs it signed.
    string(REPLACE <file> $<TARGET_FILE:quillon> sign_program "${QUILLON_SIGN}")
    add_custom_command(TARGET quillon POST_BUILD ${sign_program} VERBATIM)
    set_property(TARGET quillon APPEND PROPERTY LINK_DEPENDS ${QUILLON_SIGN_PKCS12})
endif()

find_program(QUILLON_MSIBUILD msibuild REQUIRED)

set(QUILLON_DIST ${CMAKE_BINARY_DIR}/dist)
# quillon.exe's FILEVERSION, which res/quillon.rc spells from the same numbers.
set(QUILLON_FILE_VERSION ${QUILLON_VERSION}.0)
set(QUILLON_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(QUILLON_MSI ${QUILLON_DIST}/quillon-${QUILLON_VERSION}-x64.msi)
set(QUILLON_ZIP ${QUILLON_DIST}/quillon-${QUILLON_VERSION}-win64.zip)

# The time every packed file carries, looked up at every build; the file
# changes, and the packages are made again, only when the commit does.
set(QUILLON_EPOCH ${CMAKE_BINARY_DIR}/package-files/source-date-epoch)
add_custom_target(quillon_epoch
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/package-files
    COMMAND ${QUILLON_PACK} epoch ${CMAKE_SOURCE_DIR} ${QUILLON_EPOCH}
    BYPRODUCTS ${QUILLON_EPOCH}
    COMMENT "Looking up the commit's time"
    VERBATIM)

# Packages of an earlier version go, so that the folder holds one release.
file(GLOB QUILLON_OLD_PACKAGES ${QUILLON_DIST}/quillon-*)
list(REMOVE_ITEM QUILLON_OLD_PACKAGES ${QUILLON_MSI} ${QUILLON_ZIP})
if(QUILLON_OLD_PACKAGES)
    file(REMOVE ${QUILLON_OLD_PACKAGES})
endif()

# The upgrade code never changes: it is how a newer package finds an older
# one and replaces it in place. The product code is derived from it and the
# version, so each version has its own, and a rebuild of a version the same.
set(QUILLON_UPGRADE_CODE 506FEB97-AD2B-4AA1-A18F-DDB9ACE97654)
function(quillon_product_code variable version)
    string(UUID code NAMESPACE ${QUILLON_UPGRADE_CODE} NAME ${version} TYPE SHA1 UPPER)
    set(${variable} {${code}} PARENT_SCOPE)
endfunction()

# The read-me is README.md's parts for users and administrators as plain
# text, with this version's file names and its product code for
# uninstalling.
quillon_product_code(QUILLON_PRODUCT_CODE ${QUILLON_VERSION})
add_custom_command(OUTPUT ${QUILLON_DIST}/README.txt
    COMMAND ${Python3_EXECUTABLE} ${QUILLON_PACKAGING}/readme.py ${CMAKE_SOURCE_DIR}/README.md
        ${QUILLON_DIST}/README.txt ${QUILLON_VERSION} ${QUILLON_PRODUCT_CODE}
    DEPENDS ${CMAKE_SOURCE_DIR}/README.md ${QUILLON_PACKAGING}/readme.py
    COMMENT "Building ${QUILLON_DIST}/README.txt"
    VERBATIM)
# The template's texts, one folder per language named as Windows names it
# under PolicyDefinitions; a language dropped from the source goes here too.
file(GLOB QUILLON_POLICY_FILES CONFIGURE_DEPENDS RELATIVE ${QUILLON_PACKAGING}
    ${QUILLON_PACKAGING}/policy/*/quillon.adml)
file(GLOB QUILLON_OLD_POLICY_FILES RELATIVE ${QUILLON_DIST} ${QUILLON_DIST}/policy/*/quillon.adml)
foreach(file ${QUILLON_OLD_POLICY_FILES})
    if(NOT file IN_LIST QUILLON_POLICY_FILES)
        get_filename_component(folder ${QUILLON_DIST}/${file} DIRECTORY)
        file(REMOVE_RECURSE ${folder})
    endif()
endforeach()
list(PREPEND QUILLON_POLICY_FILES policy/quillon.admx)
list(TRANSFORM QUILLON_POLICY_FILES PREPEND ${QUILLON_DIST}/ OUTPUT_VARIABLE QUILLON_DIST_POLICY_FILES)
foreach(file ${QUILLON_POLICY_FILES})
    configure_file(${QUILLON_PACKAGING}/${file} ${QUILLON_DIST}/${file} COPYONLY)
endforeach()

# The installer of a program target, labelled with the version given, into
# the file given; the tests build a second one of a higher version. wixl
# finds its source files only by paths relative to the folder it runs in, so
# the program and the icon are put side by side for it first. It passes over
# an attribute it does not know with a warning, and leaves out what the
# attribute asked for; as a fatal warning that fails the build instead.
function(quillon_msi output version program)
    get_filename_component(name ${output} NAME)
    set(stage ${CMAKE_BINARY_DIR}/package-files/${name})
    quillon_product_code(product_code ${version})
    string(REPLACE <file> ${output} sign_msi "${QUILLON_SIGN}")
    add_custom_command(OUTPUT ${output}
        COMMAND ${QUILLON_PACK} stage ${QUILLON_EPOCH} ${stage}
            $<TARGET_FILE:${program}> ${CMAKE_SOURCE_DIR}/res/quillon.ico
        COMMAND ${CMAKE_COMMAND} -E chdir ${stage}
            ${CMAKE_COMMAND} -E env G_DEBUG=fatal-warnings TZ=UTC
            ${QUILLON_WIXL} --arch x64 --output ${output}
            --define "Version=${version}"
            --define "ProductCode=${product_code}"
            --define "UpgradeCode=${QUILLON_UPGRADE_CODE}"
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
        ${sign_msi}
        DEPENDS ${program} ${QUILLON_PACKAGING}/quillon.wxs ${CMAKE_SOURCE_DIR}/res/quillon.ico
            ${QUILLON_EPOCH} ${CMAKE_SOURCE_DIR}/packaging/pack.py
        COMMENT "Building ${output}"
        VERBATIM)
endfunction()

quillon_msi(${QUILLON_MSI} ${QUILLON_VERSION} quillon)

# The zip holds the two files at its top, under the names they get on the PC.
add_custom_command(OUTPUT ${QUILLON_ZIP}
    COMMAND ${QUILLON_PACK} zip ${QUILLON_EPOCH} ${QUILLON_ZIP}
        $<TARGET_FILE:quillon> ${QUILLON_DIST}/README.txt
    DEPENDS quillon ${QUILLON_DIST}/README.txt ${QUILLON_EPOCH} ${CMAKE_SOURCE_DIR}/packaging/pack.py
    COMMENT "Building ${QUILLON_ZIP}"
    VERBATIM)

set(QUILLON_SUMS ${QUILLON_DIST}/SHA256SUMS)
add_custom_command(OUTPUT ${QUILLON_SUMS}
    COMMAND ${QUILLON_PACK} sums ${QUILLON_DIST}
    DEPENDS ${QUILLON_MSI} ${QUILLON_ZIP} ${QUILLON_DIST}/README.txt
        ${QUILLON_DIST_POLICY_FILES}
    COMMENT "Building ${QUILLON_SUMS}"
    VERBATIM)

add_custom_target(quillon_package ALL DEPENDS ${QUILLON_SUMS})
add_dependencies(quillon_package quillon_epoch)
