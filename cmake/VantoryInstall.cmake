# Install rules and the Debian package. The layout is set in
# VantoryLayout.cmake; the working directory module (app/WorkingDirectory.h)
# seeds each user's catalog from share/vantory.
if(NOT TARGET vantory)
    # The core-only build has no program to install.
    return()
endif()

set(programs vantory vantoryctl vantory-catgen vantory-content-server)
install(TARGETS ${programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The templates and hint.js, and the sample catalog with the pictures that
# the content server hands out for it: `vantory-content-server --content
# <prefix>/share/vantory/sample` serves it on the built-in address.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/templates/ DESTINATION ${VANTORY_DATA_DIR})
install(DIRECTORY ${VANTORY_SAMPLE_DIR}/data ${VANTORY_SAMPLE_DIR}/media
    DESTINATION ${VANTORY_DATA_DIR}/sample)

# Desktop integration.
set(dist ${PROJECT_SOURCE_DIR}/dist)
install(FILES ${dist}/${VANTORY_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${dist}/${VANTORY_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${dist}/icons/hicolor DESTINATION ${CMAKE_INSTALL_DATADIR}/icons)

# A manual page for each program, compressed as Debian keeps them (-n: the
# same bytes from every build).
set(man_outputs "")
foreach(program IN LISTS programs)
    set(page ${program}.1)
    set(output ${PROJECT_BINARY_DIR}/man/${page}.gz)
    add_custom_command(OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E copy ${dist}/man/${page} ${PROJECT_BINARY_DIR}/man/${page}
        COMMAND gzip -9nf ${PROJECT_BINARY_DIR}/man/${page}
        DEPENDS ${dist}/man/${page}
        VERBATIM)
    list(APPEND man_outputs ${output})
endforeach()
add_custom_target(vantory_man_pages ALL DEPENDS ${man_outputs})
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# `cpack` in the build directory makes vantory_<version>_<arch>.deb of what
# the rules above install, below /usr, with the dependencies that
# VantoryPackageDepends.cmake finds for the programs.
file(STRINGS ${PROJECT_SOURCE_DIR}/res/ProductVersion.h version_line REGEX "PRODUCT_VERSION\\[\\] = ")
string(REGEX REPLACE ".*\"(.+)\".*" "\\1" VANTORY_PACKAGE_VERSION "${version_line}")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vantory)
set(CPACK_PACKAGE_VERSION ${VANTORY_PACKAGE_VERSION})
set(CPACK_PACKAGE_VENDOR Vantory)
set(CPACK_PACKAGE_CONTACT "Vantory <support@vantory.example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "catalog browser for downloadable phone content")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantory keeps a local copy of a content provider's catalog of ringtones,
logos, wallpapers, screen savers and Java games for mobile phones, shows it
as a tree of content types and groups with a page for each, and updates it
from the provider's content server. The package holds the desktop program,
the command-line tool vantoryctl, a sample catalog, and the catalog
generator and content server that make and serve catalogs for testing.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.vantory.example.com/")
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/VantoryPackageDepends.cmake)
set(CPACK_VANTORY_PROGRAMS_FILE ${PROJECT_BINARY_DIR}/VantoryPackagePrograms.cmake)
set(CPACK_VANTORY_SHLIBDEPS_DIR ${PROJECT_BINARY_DIR}/shlibdeps)
list(TRANSFORM programs REPLACE "(.+)" "$<TARGET_FILE:\\1>" OUTPUT_VARIABLE program_files)
file(GENERATE OUTPUT ${CPACK_VANTORY_PROGRAMS_FILE} CONTENT "set(vantory_programs ${program_files})\n")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
include(CPack)
