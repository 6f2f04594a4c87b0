# CPack runs this before it packs (CPACK_PRE_BUILD_SCRIPTS) and after (CPACK_POST_BUILD_SCRIPTS,
# with CPACK_PACKAGE_FILES naming the package, still in CPack's own folder).
function(wexa_run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "${ARGN}: ${failed}")
    endif()
endfunction()

# Before: the executable is signed when a certificate is named (tools/sign.sh).
if(NOT DEFINED CPACK_PACKAGE_FILES)
    wexa_run(${CPACK_WEXA_SIGN} ${CPACK_TEMPORARY_DIRECTORY}/wexa-tastatur.exe)
    return()
endif()

# After: the ZIP's entries get SOURCE_DATE_EPOCH as their time and a fixed order (the
# installer has no times, see NSIS.template.in).
if(CPACK_PACKAGE_FILES MATCHES "\\.zip$")
    wexa_run(strip-nondeterminism --type zip --timestamp $ENV{SOURCE_DATE_EPOCH} ${CPACK_PACKAGE_FILES})
endif()

# Then SHA256SUMS and the manifests name what this run of CPack has made so far, and nothing
# else: not a package of an earlier run still lying in the folder, which a failed generator
# would otherwise leave listed beside this run's. A run is this cpack process (its id and its
# start time, so that a reused id is not taken for it); each generator's step adds its package.
file(READ /proc/self/stat stat)
string(REGEX REPLACE "^([0-9]+) \\(.*\\) " "\\1;" stat "${stat}")
string(REPLACE " " ";" stat "${stat}")
list(GET stat 0 pid)
list(GET stat 20 started) # the 22nd field, the start time
set(run "run ${pid}-${started}")
set(record ${CPACK_PACKAGE_DIRECTORY}/_CPack_Packages/made-by-this-run)
set(made "")
if(EXISTS ${record})
    file(STRINGS ${record} made)
endif()
if(NOT made MATCHES "^${run};")
    file(REMOVE_RECURSE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS ${CPACK_PACKAGE_DIRECTORY}/winget
         ${CPACK_PACKAGE_DIRECTORY}/scoop)
    set(made "${run}")
endif()
file(SHA256 ${CPACK_PACKAGE_FILES} sum)
get_filename_component(name ${CPACK_PACKAGE_FILES} NAME)
list(APPEND made "${sum}  ${name}")
list(JOIN made "\n" lines)
file(WRITE ${record} "${lines}\n")

list(REMOVE_AT made 0)
list(SORT made COMPARE STRING)
list(JOIN made "\n" sums)
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${sums}\n")
include(${CMAKE_CURRENT_LIST_DIR}/Manifests.cmake)
wexa_write_manifests("${made}")
