# Configures the whole project for macOS, benchmarks included, in a scratch build, and fails
# when a link command there carries a flag only GNU linkers know (ld64 refuses them).
#   cmake -DSOURCE=<dir> -DWORK=<dir> -DTOOLCHAIN=<file> -P GnuLinkFlags.cmake
file(REMOVE_RECURSE "${WORK}")
execute_process(
    COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${WORK}" -G Ninja
        "-DCMAKE_TOOLCHAIN_FILE=${TOOLCHAIN}" -DTWAINMON_BUILD_TESTS=OFF
        -DTWAINMON_BUILD_BENCHMARKS=ON "-Dbenchmark_DIR=${CMAKE_CURRENT_LIST_DIR}/benchmark-stand-in"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "The macOS configure with the benchmarks failed")
endif()
file(STRINGS "${WORK}/build.ninja" gnu_only REGEX "(--dynamic-list|--version-script|--no-undefined|-soname|[$]ORIGIN)")
if(gnu_only)
    message(FATAL_ERROR "GNU-only link flags in the macOS build:\n${gnu_only}")
endif()
