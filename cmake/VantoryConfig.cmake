# One interface target carries the language level, warnings and sanitizer
# flags for every target of the project.
add_library(vantory_config INTERFACE)
target_compile_features(vantory_config INTERFACE cxx_std_20)
# Project headers are named from the top: #include "catalog/ContentType.h".
target_include_directories(vantory_config INTERFACE ${PROJECT_SOURCE_DIR})
target_compile_options(vantory_config INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    $<$<BOOL:${VANTORY_WERROR}>:-Werror>)
# GCC 12 at -O3 reports std::string concatenation as an overlapping memcpy
# (a false positive of -Wrestrict); clang has no such warning.
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    target_compile_options(vantory_config INTERFACE -Wno-restrict)
endif()

if(VANTORY_SANITIZE)
    target_compile_options(vantory_config INTERFACE
        -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    target_link_options(vantory_config INTERFACE -fsanitize=address,undefined)
    # The sanitizers' instrumentation misleads GCC's flow analysis into
    # -Wmaybe-uninitialized reports inside the standard library (std::regex).
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
        target_compile_options(vantory_config INTERFACE -Wno-maybe-uninitialized)
    endif()
endif()
