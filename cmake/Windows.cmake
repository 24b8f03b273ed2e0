# The Windows build (cmake --preset windows): cross-built with mingw-w64, tests run under Wine
# through scripts/wine-run, the toolchain's emulator. What Linux takes from Debian's packages
# (GoogleTest, pugixml) is built here from source with the cross compiler.

enable_language(RC)
# Wide characters everywhere: the A functions would read the program's UTF-8 in the ANSI code page.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# GoogleTest from Debian's source package.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# pugixml from Debian's archive: the same release as the Linux build's package, fetched once and
# checked against the digest of Debian's source package.
set(REVURO_PUGIXML_ARCHIVE ${PROJECT_SOURCE_DIR}/.deps/pugixml_1.13.orig.tar.gz)
set(REVURO_PUGIXML_SHA256 5c5ad5d7caeb791420408042a7d88c2c6180781bf218feca259fd9d840a888e1)
if(NOT EXISTS ${REVURO_PUGIXML_ARCHIVE})
    file(DOWNLOAD https://deb.debian.org/debian/pool/main/p/pugixml/pugixml_1.13.orig.tar.gz
         ${REVURO_PUGIXML_ARCHIVE} EXPECTED_HASH SHA256=${REVURO_PUGIXML_SHA256} STATUS fetched)
    list(GET fetched 0 fetchedCode)
    if(NOT fetchedCode EQUAL 0)
        file(REMOVE ${REVURO_PUGIXML_ARCHIVE})
        message(FATAL_ERROR "pugixml 1.13 could not be fetched from Debian's archive: ${fetched}")
    endif()
endif()
file(SHA256 ${REVURO_PUGIXML_ARCHIVE} pugixmlHash)
if(NOT pugixmlHash STREQUAL REVURO_PUGIXML_SHA256)
    message(FATAL_ERROR "${REVURO_PUGIXML_ARCHIVE} is not pugixml 1.13 as Debian ships it")
endif()
set(pugixmlSource ${CMAKE_BINARY_DIR}/pugixml-1.13/src)
if(NOT EXISTS ${pugixmlSource}/pugixml.cpp)
    file(ARCHIVE_EXTRACT INPUT ${REVURO_PUGIXML_ARCHIVE} DESTINATION ${CMAKE_BINARY_DIR})
endif()
add_library(pugixml STATIC ${pugixmlSource}/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${pugixmlSource})
add_library(pugixml::pugixml ALIAS pugixml)
