# The manifests of winget and Scoop for the packages that this run of CPack made (included by
# PackageSteps.cmake), from the templates in manifests/: each names its download under
# WEXA_RELEASE_URL with the SHA-256 just computed, so that no hash is ever copied by hand.
include_guard()

# MADE: "<sha256>  <file name>" for each package made.
function(wexa_write_manifests made)
    string(REGEX REPLACE "/+$" "" release_url "${CPACK_WEXA_RELEASE_URL}")
    if(release_url STREQUAL "")
        message(STATUS "WEXA_RELEASE_URL is not set: no winget or Scoop manifests made")
        return()
    endif()
    set(version ${CPACK_PACKAGE_VERSION})
    # Scoop's autoupdate finds a later release in the folder of that version.
    if(NOT release_url MATCHES "^https://.+/.*${version}")
        message(FATAL_ERROR "WEXA_RELEASE_URL must be an https address naming this version's folder "
                            "(${version}), e.g. https://example.org/wexa/${version}: '${release_url}'")
    endif()
    set(homepage "${CPACK_WEXA_HOMEPAGE_URL}")
    if(homepage STREQUAL "")
        string(REGEX REPLACE "/[^/]*$" "" homepage "${release_url}")
    endif()
    string(REPLACE "${version}" "$version" versions_url "${release_url}")
    string(REPLACE "${version}" "latest" latest_url "${release_url}")
    string(TIMESTAMP release_date "%Y-%m-%d" UTC) # SOURCE_DATE_EPOCH's day
    set(product "${CPACK_PACKAGE_INSTALL_DIRECTORY}") # also the name of its Uninstall key
    set(id ${CPACK_WEXA_PACKAGE_ID})
    set(templates ${CPACK_WEXA_MANIFEST_TEMPLATES})
    foreach(line IN LISTS made)
        string(REGEX MATCH "^([0-9a-f]+)  (.+)$" line "${line}")
        set(sha256 ${CMAKE_MATCH_1})
        set(file "${CMAKE_MATCH_2}")
        set(url "${release_url}/${file}")
        if(file MATCHES "-setup\\.exe$")
            string(TOUPPER ${sha256} sha256) # as winget's own tools write it
            set(folder ${CPACK_PACKAGE_DIRECTORY}/winget/${version})
            configure_file(${templates}/winget.version.yaml.in ${folder}/${id}.yaml @ONLY)
            configure_file(${templates}/winget.installer.yaml.in ${folder}/${id}.installer.yaml @ONLY)
            configure_file(${templates}/winget.locale.de-DE.yaml.in ${folder}/${id}.locale.de-DE.yaml @ONLY)
            configure_file(${templates}/winget.locale.en-US.yaml.in ${folder}/${id}.locale.en-US.yaml @ONLY)
        elseif(file MATCHES "\\.zip$")
            configure_file(${templates}/scoop.json.in ${CPACK_PACKAGE_DIRECTORY}/scoop/wexa-tastatur.json @ONLY)
        endif()
    endforeach()
    message(STATUS "Manifests for ${release_url}: ${CPACK_PACKAGE_DIRECTORY}/winget, ${CPACK_PACKAGE_DIRECTORY}/scoop")
endfunction()
