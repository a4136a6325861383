# Read by cpack as it packages (CPACK_PROJECT_CONFIG_FILE): the Debian
# package's dependencies are the packages of the shared libraries that the
# programs link, as dpkg-shlibdeps finds them. The browser engine's library
# brings its render process, a program that nothing links, that way too.
# CPack's own CPACK_DEBIAN_PACKAGE_SHLIBDEPS would run the same tool, but
# first runs `file` once for each of the package's 1,400 files, which takes
# more than a minute; the programs are known.
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
include("${CPACK_VANTORY_PROGRAMS_FILE}")
# dpkg-shlibdeps wants to be run in a source package: an empty one will do.
set(source "${CPACK_VANTORY_SHLIBDEPS_DIR}")
file(MAKE_DIRECTORY "${source}/debian")
file(TOUCH "${source}/debian/control")
execute_process(COMMAND dpkg-shlibdeps -O ${vantory_programs}
    WORKING_DIRECTORY "${source}"
    OUTPUT_VARIABLE substvars ERROR_VARIABLE messages RESULT_VARIABLE result)
if(NOT result EQUAL 0 OR NOT substvars MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps failed (${result}):\n${messages}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}")
