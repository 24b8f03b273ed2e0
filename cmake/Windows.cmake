# The Windows build (cmake --preset windows): cross-built with mingw-w64, tests run under Wine
# through scripts/wine-run, the toolchain's emulator. What Linux takes from Debian's packages is
# taken here from Debian's mingw-w64 packages (zlib) or built from Debian's source archives with
# the cross compiler (GoogleTest, pugixml, liblzma).

enable_language(RC)
# Wide characters everywhere: the A functions would read the program's UTF-8 in the ANSI code page.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)

# GoogleTest from Debian's source package.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)

# Flash movies are stored compressed with zlib or LZMA.
# zlib from libz-mingw-w64-dev, linked in: the program is one file.
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

# Unpacks Debian's source archive `file` (the same release as the Linux build's package, fetched
# once into .deps/ and checked against the digest of Debian's source package) into the build
# folder, and sets `folderVar` to the folder it holds.
function(revuro_debian_source folderVar pool file sha256 folder)
    set(archive ${PROJECT_SOURCE_DIR}/.deps/${file})
    if(NOT EXISTS ${archive})
        file(DOWNLOAD https://deb.debian.org/debian/pool/main/${pool}/${file} ${archive}
             EXPECTED_HASH SHA256=${sha256} STATUS fetched)
        list(GET fetched 0 fetchedCode)
        if(NOT fetchedCode EQUAL 0)
            file(REMOVE ${archive})
            message(FATAL_ERROR "${file} could not be fetched from Debian's archive: ${fetched}")
        endif()
    endif()
    file(SHA256 ${archive} hash)
    if(NOT hash STREQUAL sha256)
        message(FATAL_ERROR "${archive} is not the archive Debian ships under that name")
    endif()
    if(NOT EXISTS ${CMAKE_BINARY_DIR}/${folder})
        file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${CMAKE_BINARY_DIR})
    endif()
    set(${folderVar} ${CMAKE_BINARY_DIR}/${folder} PARENT_SCOPE)
endfunction()

revuro_debian_source(pugixmlSource p/pugixml pugixml_1.13.orig.tar.gz
    5c5ad5d7caeb791420408042a7d88c2c6180781bf218feca259fd9d840a888e1 pugixml-1.13)
add_library(pugixml STATIC ${pugixmlSource}/src/pugixml.cpp)
target_include_directories(pugixml SYSTEM PUBLIC ${pugixmlSource}/src)
add_library(pugixml::pugixml ALIAS pugixml)

# liblzma alone, static; xz's own programs and tests stay out of the build.
revuro_debian_source(xzSource x/xz-utils xz-utils_5.4.1.orig.tar.xz
    5d9827aa1875b21c288f78864bb26d2650b436ea8d2cad364e4921eb6266a5a5 xz-5.4.1)
block()
    set(BUILD_TESTING OFF)
    set(BUILD_SHARED_LIBS OFF)
    add_subdirectory(${xzSource} ${CMAKE_BINARY_DIR}/xz EXCLUDE_FROM_ALL SYSTEM)
endblock()
# Its build gives the library's users no include folder; the installed one would.
target_include_directories(liblzma SYSTEM INTERFACE $<BUILD_INTERFACE:${xzSource}/src/liblzma/api>)
add_library(LibLZMA::LibLZMA ALIAS liblzma)
