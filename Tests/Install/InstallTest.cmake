# cmake -DBUILD_DIR=<build> -DPREFIX=<scratch> -DCHECK=<install_check> -DMODULE_DIR=<rel>
#       -DLIB_DIR=<rel> -P InstallTest.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed:\n${output}")
endif()

set(module "${PREFIX}/${MODULE_DIR}/TwainMonitor.ds")
set(driver "${PREFIX}/${MODULE_DIR}/TwainWrapper.bundle/Contents/MacOS/TwainWrapper")
set(platform "${PREFIX}/${LIB_DIR}/libTwainPlatform.so")
foreach(file "${module}" "${driver}" "${platform}")
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "not installed: ${file}")
    endif()
endforeach()

# Each in a process of its own, so that each finds the platform library by its own path.
foreach(file "${module}" "${driver}")
    execute_process(COMMAND "${CHECK}" "${file}" "${platform}"
                    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "${file} does not load as installed:\n${output}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
