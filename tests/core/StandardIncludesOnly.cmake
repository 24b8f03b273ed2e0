cmake_minimum_required(VERSION 3.25)

# Fails when a file of the core includes a header from outside the C++ standard library, other
# than the project's own ("..." includes) and the libraries the core is allowed.
set(allowed
    algorithm any array atomic bit bitset cassert cctype cerrno charconv chrono cinttypes climits
    cmath compare concepts condition_variable cstddef cstdint cstdio cstdlib cstring ctime cwchar
    deque exception filesystem fstream functional initializer_list iomanip ios iosfwd iostream
    istream iterator limits list locale map memory mutex new numeric optional ostream queue random
    ranges ratio regex set span sstream stack stdexcept streambuf string string_view system_error
    thread tuple type_traits typeinfo unordered_map unordered_set utility variant vector version
    pugixml.hpp zlib.h lzma.h gtest/gtest.h)
file(GLOB_RECURSE sources "${CORE}/*.h" "${CORE}/*.cpp")
set(bad "")
foreach(source IN LISTS sources)
    file(STRINGS "${source}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*<")
    foreach(line IN LISTS lines)
        string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*<([^>]+)>.*" "\\1" header "${line}")
        if(NOT header IN_LIST allowed)
            file(RELATIVE_PATH name "${CORE}" "${source}")
            list(APPEND bad "${name}: <${header}>")
        endif()
    endforeach()
endforeach()
if(bad)
    list(JOIN bad "\n  " text)
    message(FATAL_ERROR "the core includes headers from outside the standard library:\n  ${text}")
endif()
