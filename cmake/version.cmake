# The program's name, version and maker as res/version.h states them, for
# everything the build makes besides quillon.exe itself (the project version,
# the installer, the read-me), so that res/version.h stays the one place
# they are written. Sets QUILLON_VERSION_MAJOR, _MINOR, _REVISION,
# QUILLON_VERSION ("1.7.0"), QUILLON_PRODUCT_NAME and QUILLON_COMPANY_NAME.
set(QUILLON_VERSION_HEADER ${CMAKE_CURRENT_LIST_DIR}/../res/version.h)
file(STRINGS ${QUILLON_VERSION_HEADER} QUILLON_VERSION_LINES
    REGEX "^#define QUILLON_(VERSION_MAJOR|VERSION_MINOR|VERSION_REVISION|PRODUCT_NAME|COMPANY_NAME) ")
foreach(line IN LISTS QUILLON_VERSION_LINES)
    string(REGEX MATCH "^#define (QUILLON_[A-Z_]+) +\"?([^\"]*)\"?$" matched "${line}")
    set(${CMAKE_MATCH_1} "${CMAKE_MATCH_2}")
endforeach()
foreach(name QUILLON_VERSION_MAJOR QUILLON_VERSION_MINOR QUILLON_VERSION_REVISION
        QUILLON_PRODUCT_NAME QUILLON_COMPANY_NAME)
    if("${${name}}" STREQUAL "")
        message(FATAL_ERROR "${name} not found in ${QUILLON_VERSION_HEADER}")
    endif()
endforeach()
set(QUILLON_VERSION ${QUILLON_VERSION_MAJOR}.${QUILLON_VERSION_MINOR}.${QUILLON_VERSION_REVISION})
# A changed version configures the build again.
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QUILLON_VERSION_HEADER})
