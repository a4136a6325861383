# Fixture of the install tests: installs the build tree BUILD_DIR afresh
# below STAGE, as `cmake --install --prefix STAGE`.
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}"
    OUTPUT_QUIET RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install ${BUILD_DIR} failed: ${result}")
endif()
