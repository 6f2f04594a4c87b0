# libpng 1.6 for the target. Natively Debian's libpng-dev serves; for the Windows
# cross build there is no such package, so libpng is built here from Debian's own
# source package with the same toolchain and linked statically against MinGW's zlib.
include_guard(GLOBAL)

if(NOT CMAKE_CROSSCOMPILING)
    find_package(PNG 1.6 REQUIRED)
    add_library(wexa_libpng INTERFACE)
    target_link_libraries(wexa_libpng INTERFACE PNG::PNG)
    return()
endif()

# zlib goes into the executable: Windows has no zlib1.dll (Wine's prefixes do, which
# would hide the dependency). A cache from before this rule may still name the import library.
if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    unset(ZLIB_LIBRARY_RELEASE CACHE)
    unset(ZLIB_LIBRARY CACHE)
endif()
set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED) # libz.a of libz-mingw-w64-dev
if(ZLIB_LIBRARY_RELEASE MATCHES "\\.dll\\.a$")
    message(FATAL_ERROR "zlib must be linked statically; found only ${ZLIB_LIBRARY_RELEASE}")
endif()
include(ExternalProject)

set(WEXA_DEPS_DIR ${CMAKE_BINARY_DIR}/_deps)
set(WEXA_LIBPNG_SOURCE_ROOT ${WEXA_DEPS_DIR}/libpng-source)
set(WEXA_LIBPNG_PREFIX ${WEXA_DEPS_DIR}/libpng)

file(GLOB _wexa_libpng_src LIST_DIRECTORIES true ${WEXA_LIBPNG_SOURCE_ROOT}/libpng1.6-*)
if(NOT _wexa_libpng_src)
    message(STATUS "Fetching Debian's libpng1.6 source package")
    file(MAKE_DIRECTORY ${WEXA_LIBPNG_SOURCE_ROOT})
    execute_process(COMMAND apt-get source -q libpng1.6
                    WORKING_DIRECTORY ${WEXA_LIBPNG_SOURCE_ROOT}
                    RESULT_VARIABLE _wexa_rc OUTPUT_QUIET)
    # A mirror may list this system's newest source package before it serves its files. Then
    # the last release's, from a list of its own here: the system's lists stay as they are.
    if(NOT _wexa_rc EQUAL 0)
        message(WARNING "Debian's mirror gave no libpng1.6 source of this system's suite; using bookworm's")
        set(_wexa_apt ${WEXA_DEPS_DIR}/apt-bookworm)
        file(MAKE_DIRECTORY ${_wexa_apt}/lists/partial)
        file(WRITE ${_wexa_apt}/sources.list "deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] \
http://deb.debian.org/debian bookworm-updates main\ndeb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] \
http://deb.debian.org/debian bookworm main\n")
        set(_wexa_apt_options -o Dir::Etc::SourceList=${_wexa_apt}/sources.list -o Dir::Etc::SourceParts=${_wexa_apt}
                              -o Dir::State::Lists=${_wexa_apt}/lists)
        execute_process(COMMAND apt-get -q ${_wexa_apt_options} update OUTPUT_QUIET)
        execute_process(COMMAND apt-get source -q ${_wexa_apt_options} libpng1.6
                        WORKING_DIRECTORY ${WEXA_LIBPNG_SOURCE_ROOT}
                        RESULT_VARIABLE _wexa_rc OUTPUT_QUIET)
    endif()
    file(GLOB _wexa_libpng_src LIST_DIRECTORIES true ${WEXA_LIBPNG_SOURCE_ROOT}/libpng1.6-*)
    if(NOT _wexa_rc EQUAL 0 OR NOT _wexa_libpng_src)
        message(FATAL_ERROR "apt-get source libpng1.6 failed; run tools/setup-debian.sh first (it adds the deb-src entry)")
    endif()
endif()
list(GET _wexa_libpng_src 0 WEXA_LIBPNG_SOURCE_DIR)

set(_wexa_libpng_lib ${WEXA_LIBPNG_PREFIX}/lib/libpng16.a)
ExternalProject_Add(libpng_mingw
    SOURCE_DIR ${WEXA_LIBPNG_SOURCE_DIR}
    INSTALL_DIR ${WEXA_LIBPNG_PREFIX}
    CMAKE_ARGS
        -DCMAKE_TOOLCHAIN_FILE=${CMAKE_TOOLCHAIN_FILE}
        -DCMAKE_BUILD_TYPE=Release
        -DCMAKE_INSTALL_PREFIX=<INSTALL_DIR>
        -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF
        -DPNG_HARDWARE_OPTIMIZATIONS=ON
        -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON
    BUILD_BYPRODUCTS ${_wexa_libpng_lib}
    UPDATE_COMMAND "" PATCH_COMMAND "")

file(MAKE_DIRECTORY ${WEXA_LIBPNG_PREFIX}/include)
add_library(wexa_libpng STATIC IMPORTED GLOBAL)
set_target_properties(wexa_libpng PROPERTIES
    IMPORTED_LOCATION ${_wexa_libpng_lib}
    INTERFACE_INCLUDE_DIRECTORIES ${WEXA_LIBPNG_PREFIX}/include
    INTERFACE_LINK_LIBRARIES ZLIB::ZLIB)
add_dependencies(wexa_libpng libpng_mingw)
