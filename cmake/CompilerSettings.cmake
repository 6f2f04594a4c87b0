include_guard(GLOBAL)

set(CMAKE_CXX_STANDARD 20)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

add_library(wexa_options INTERFACE)
if(MSVC)
    target_compile_options(wexa_options INTERFACE /W4 /utf-8 /permissive-)
else()
    target_compile_options(wexa_options INTERFACE -Wall -Wextra -Wpedantic -Wshadow
                           -Wno-missing-field-initializers) # Win32 structs start as {sizeof s}
    # GCC 12 warns wrongly of overlapping copies inside libstdc++ where a string is built with
    # operator+ at -O2 or above; GCC 13 no longer does.
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
        target_compile_options(wexa_options INTERFACE -Wno-restrict)
    endif()
endif()
# Our own code builds without warnings with GCC 12 and 14, which build it on Debian 12 and 13;
# libpng and GoogleTest are built without these options. Visual Studio, which no build here
# tries, only warns: a new warning of it must not keep a Windows developer from building.
if(MSVC)
    set(_wexa_warnings_as_errors OFF)
else()
    set(_wexa_warnings_as_errors ON)
endif()
option(WEXA_WARNINGS_AS_ERRORS "Fail the build on a warning in the project's own code" ${_wexa_warnings_as_errors})
if(WEXA_WARNINGS_AS_ERRORS)
    target_compile_options(wexa_options INTERFACE $<IF:$<CXX_COMPILER_ID:MSVC>,/WX,-Werror>)
endif()

if(WIN32)
    target_compile_definitions(wexa_options INTERFACE UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                               _WIN32_WINNT=0x0601)
    if(MINGW)
        # One executable that needs no DLL but Windows' own. No link time in the header,
        # so two builds of one commit give the same bytes; release builds carry no symbols.
        target_link_options(wexa_options INTERFACE -static -static-libgcc -static-libstdc++
                            -Wl,--no-insert-timestamp $<$<CONFIG:Release,MinSizeRel>:-s>)
    endif()
endif()

# Where the tree and the build lie must not show in what is built (assertion texts, debug paths).
if(NOT MSVC)
    target_compile_options(wexa_options INTERFACE -ffile-prefix-map=${PROJECT_SOURCE_DIR}=.
                           -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
endif()

option(WEXA_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer (native builds)" OFF)
if(WEXA_SANITIZE AND NOT WIN32)
    target_compile_options(wexa_options INTERFACE -fsanitize=address,undefined -fno-omit-frame-pointer
                           -fno-sanitize-recover=all)
    target_link_options(wexa_options INTERFACE -fsanitize=address,undefined)
endif()
