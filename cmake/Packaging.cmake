# The two downloads for Windows, made by `cmake --build --preset win64 --target package`:
# packages/wexa-tastatur-<version>-win64.zip, the portable program, and
# packages/wexa-tastatur-<version>-win64-setup.exe, a per-user installer from NSIS.template.in
# beside this file, with packages/SHA256SUMS for both. With WEXA_RELEASE_URL set, the manifests
# of winget (packages/winget/<version>/) and Scoop (packages/scoop/) come with them. The steps
# CPack runs itself (signing, fixed times, the checksums, the manifests) are in PackageSteps.cmake.
include_guard(GLOBAL)

set(WEXA_PRODUCT_NAME "Wexa Font Tastatur")
set(WEXA_PACKAGE_TEXTS ${CMAKE_BINARY_DIR}/package-texts)

# What goes beside the program, with Windows' line ends: the read-me and the licence notices
# of the libraries linked in, libpng's from its source and zlib's from the head of zlib.h.
function(wexa_write_windows_text name text)
    string(REPLACE "\n" "\r\n" text "${text}")
    file(WRITE ${WEXA_PACKAGE_TEXTS}/${name} "${text}")
endfunction()
configure_file(${PROJECT_SOURCE_DIR}/resources/LIESMICH.txt ${WEXA_PACKAGE_TEXTS}/LIESMICH.txt
               @ONLY NEWLINE_STYLE CRLF)
file(READ ${WEXA_LIBPNG_SOURCE_DIR}/LICENSE _wexa_libpng_notice)
wexa_write_windows_text(LICENSE-libpng.txt "${_wexa_libpng_notice}")
find_file(WEXA_ZLIB_HEADER zlib.h PATHS ${ZLIB_INCLUDE_DIRS} NO_DEFAULT_PATH REQUIRED)
file(READ ${WEXA_ZLIB_HEADER} _wexa_zlib_header)
string(REGEX MATCH "^/\\*([^*]|\\*[^/])*\\*/" _wexa_zlib_notice "${_wexa_zlib_header}")
wexa_write_windows_text(LICENSE-zlib.txt "${_wexa_zlib_notice}\n")

# The files of both packages; the installer puts each in place by this list (NSIS.template.in).
set(_wexa_texts LIESMICH.txt LICENSE-libpng.txt LICENSE-zlib.txt)
install(TARGETS wexa-tastatur RUNTIME DESTINATION .)
list(TRANSFORM _wexa_texts PREPEND ${WEXA_PACKAGE_TEXTS}/ OUTPUT_VARIABLE _wexa_text_files)
install(FILES ${_wexa_text_files} DESTINATION .)
set(CPACK_WEXA_FILES wexa-tastatur.exe ${_wexa_texts})

# Where a release is published, for the manifests of winget and Scoop.
set(WEXA_RELEASE_URL "" CACHE STRING
    "The web folder of this version's release files, e.g. https://example.org/wexa/1.0.0; empty: no manifests")
set(WEXA_HOMEPAGE_URL "" CACHE STRING "The program's home page; empty: the folder above WEXA_RELEASE_URL")
set(WEXA_LICENSE "Proprietary" CACHE STRING "The program's licence as the manifests name it")
set(CPACK_WEXA_RELEASE_URL "${WEXA_RELEASE_URL}")
set(CPACK_WEXA_HOMEPAGE_URL "${WEXA_HOMEPAGE_URL}")
set(CPACK_WEXA_LICENSE "${WEXA_LICENSE}")
set(CPACK_WEXA_PACKAGE_ID Wexa.FontTastatur) # winget's Publisher.Name, as the executable's manifest
set(CPACK_WEXA_MANIFEST_TEMPLATES ${CMAKE_CURRENT_LIST_DIR}/manifests)

# The oldest Windows that the executable's manifest declares (its supportedOS list), as the
# version number that winget compares with the system's.
file(READ ${PROJECT_SOURCE_DIR}/resources/app.manifest _wexa_app_manifest)
foreach(os IN ITEMS e2011457-1546-43c5-a5fe-008deee3d3f0=6.0.6000 35138b9a-5d96-4fbd-8e2d-a2440225f93a=6.1.7600
                    4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38=6.2.9200 1f676c76-80e1-4239-95bb-83d0f6d0da78=6.3.9600
                    8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a=10.0.10240)
    string(REPLACE "=" ";" os ${os})
    list(GET os 0 id)
    string(FIND "${_wexa_app_manifest}" "supportedOS Id=\"{${id}}\"" at)
    if(at GREATER -1)
        list(GET os 1 CPACK_WEXA_MINIMUM_WINDOWS)
        break()
    endif()
endforeach()
if(NOT CPACK_WEXA_MINIMUM_WINDOWS)
    message(FATAL_ERROR "resources/app.manifest names no Windows version known here (supportedOS)")
endif()

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME wexa-tastatur)
set(CPACK_PACKAGE_VENDOR "${WEXA_PRODUCT_NAME}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${WEXA_PRODUCT_NAME}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF) # the executable at the top of the ZIP
set(CPACK_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR}) # our NSIS.template.in
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/PackageConfig.cmake)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageSteps.cmake)
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackageSteps.cmake)
set(CPACK_WEXA_SOURCE_DIR ${PROJECT_SOURCE_DIR})
set(CPACK_WEXA_SIGN ${PROJECT_SOURCE_DIR}/tools/sign.sh)
set(CPACK_WEXA_ICON ${CMAKE_BINARY_DIR}/generated/wexa-tastatur.ico)
# The running keyboard, as the installer finds it: the Toolkit's class of window 0, and its title.
set(CPACK_WEXA_WINDOW_CLASS WindowClass_0)
# The installer's exit code while the keyboard is open: Windows' ERROR_SHARING_VIOLATION,
# small enough for the 8 bits that some callers (and Wine) pass on.
set(CPACK_WEXA_EXIT_KEYBOARD_OPEN 32)
# Its exit codes when the new files could not be put in place, the installed version kept whole:
# Windows' ERROR_DISK_FULL when they could not be written (a full disk, an unwritable folder),
# ERROR_LOCK_VIOLATION when an installed file, held by another program, could not be replaced.
set(CPACK_WEXA_EXIT_WRITE_FAILED 112)
set(CPACK_WEXA_EXIT_FILE_IN_USE 33)
include(CPack)
