# The two downloads for Windows, made by `cmake --build --preset win64 --target package`:
# packages/wexa-tastatur-<version>-win64.zip, the portable program, and
# packages/wexa-tastatur-<version>-win64-setup.exe, a per-user installer from NSIS.template.in
# beside this file, with packages/SHA256SUMS for both. The steps CPack runs itself (signing,
# fixed times, the checksums) are in PackageSteps.cmake.
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

install(TARGETS wexa-tastatur RUNTIME DESTINATION .)
install(FILES ${WEXA_PACKAGE_TEXTS}/LIESMICH.txt ${WEXA_PACKAGE_TEXTS}/LICENSE-libpng.txt
              ${WEXA_PACKAGE_TEXTS}/LICENSE-zlib.txt DESTINATION .)

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
include(CPack)
