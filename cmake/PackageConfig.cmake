# Read by CPack before each package (CPACK_GENERATOR names it): its file name, and the time
# that every date in it is set to.
set(CPACK_PACKAGE_FILE_NAME wexa-tastatur-${CPACK_PACKAGE_VERSION}-win64)
if(CPACK_GENERATOR STREQUAL "NSIS")
    string(APPEND CPACK_PACKAGE_FILE_NAME -setup)
endif()

# The commit's time, unless the caller gives one: two builds of a commit give the same bytes.
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND git -C ${CPACK_WEXA_SOURCE_DIR} log -1 --format=%ct
                    OUTPUT_VARIABLE _wexa_commit_time OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE _wexa_git)
    if(NOT _wexa_git EQUAL 0)
        message(FATAL_ERROR "No commit to take the packages' time from: set SOURCE_DATE_EPOCH")
    endif()
    set(ENV{SOURCE_DATE_EPOCH} ${_wexa_commit_time})
endif()

# The installer's list of its files, one `!insertmacro ${DO} "name"` each (FOR_EACH_FILE in
# NSIS.template.in).
set(CPACK_WEXA_NSIS_EACH_FILE "")
foreach(file IN LISTS CPACK_WEXA_FILES)
    string(APPEND CPACK_WEXA_NSIS_EACH_FILE "  !insertmacro \${DO} \"${file}\"\n")
endforeach()
