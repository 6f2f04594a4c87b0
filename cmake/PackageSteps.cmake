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
# installer has no times, see NSIS.template.in); then SHA256SUMS names both packages of this
# version that are there, in sha256sum's format.
if(CPACK_PACKAGE_FILES MATCHES "\\.zip$")
    wexa_run(strip-nondeterminism --type zip --timestamp $ENV{SOURCE_DATE_EPOCH} ${CPACK_PACKAGE_FILES})
endif()
set(sums "")
foreach(name wexa-tastatur-${CPACK_PACKAGE_VERSION}-win64.zip wexa-tastatur-${CPACK_PACKAGE_VERSION}-win64-setup.exe)
    get_filename_component(made ${CPACK_PACKAGE_FILES} NAME)
    set(file ${CPACK_PACKAGE_DIRECTORY}/${name})
    if(name STREQUAL made)
        set(file ${CPACK_PACKAGE_FILES})
    endif()
    if(EXISTS ${file})
        file(SHA256 ${file} sum)
        string(APPEND sums "${sum}  ${name}\n")
    endif()
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS "${sums}")
