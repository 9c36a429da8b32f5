# cmake --install: the data source module, the platform library it needs on Linux and the
# sample driver as a bundle, under one prefix:
#   <prefix>/lib/libTwainPlatform.so                                   (Linux only)
#   <prefix>/lib/twain/TwainMonitor.ds
#   <prefix>/lib/twain/TwainWrapper.bundle/Contents/MacOS/TwainWrapper (the sample driver)
#   <prefix>/lib/twain/DsBridge.bundle/Contents/MacOS/DsBridge         (the bridge; with
#   <prefix>/lib/twain/DsBridge.bundle/Contents/Resources/DataSource.txt when
#                                     TWAINMON_BRIDGE_DATA_SOURCE is given)
# The installed module and driver find the platform library relative to themselves, so the
# prefix can be moved. Where the module looks for the driver and for the log directory is
# compiled in (TWAINMON_DRIVER_BUNDLE_PATH, TWAINMON_LOG_DIRECTORY), not taken from here.
include(GNUInstallDirs)
set(TWAINMON_INSTALL_DIR "${CMAKE_INSTALL_LIBDIR}/twain" CACHE STRING
    "Install directory of TwainMonitor.ds and the sample driver bundle, under the prefix")
option(TWAINMON_INSTALL_SAMPLE_DRIVER "Install the sample driver bundle" ON)
if(WIN32)
    include(${CMAKE_CURRENT_LIST_DIR}/InstallWindows.cmake)
    return()
endif()

set(driver_dir "${TWAINMON_INSTALL_DIR}/TwainWrapper.bundle/Contents/MacOS")
# The bridge, beside the sample driver; its DataSource.txt names the data source it loads.
set(bridge_install_dir "${TWAINMON_INSTALL_DIR}/DsBridge.bundle/Contents")
install(TARGETS DsBridge LIBRARY DESTINATION "${bridge_install_dir}/MacOS")
if(TWAINMON_BRIDGE_DATA_SOURCE)
    install(CODE "file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${bridge_install_dir}/Resources/DataSource.txt\" \"${TWAINMON_BRIDGE_DATA_SOURCE}\\n\")")
endif()

if(APPLE)
    install(TARGETS TwainMonitor LIBRARY DESTINATION "${TWAINMON_INSTALL_DIR}")
    if(TWAINMON_INSTALL_SAMPLE_DRIVER)
        install(TARGETS TwainWrapper LIBRARY DESTINATION "${TWAINMON_INSTALL_DIR}")
    endif()
    return()
endif()

# $ORIGIN-relative search paths from each installed file to the library directory.
function(twainmon_origin_rpath target from_dir)
    cmake_path(RELATIVE_PATH CMAKE_INSTALL_LIBDIR BASE_DIRECTORY "${from_dir}"
               OUTPUT_VARIABLE relative)
    set_target_properties(${target} PROPERTIES INSTALL_RPATH "$ORIGIN/${relative}")
endfunction()
twainmon_origin_rpath(TwainMonitor "${TWAINMON_INSTALL_DIR}")
twainmon_origin_rpath(TwainWrapper "${driver_dir}")

install(TARGETS TwainPlatform LIBRARY DESTINATION "${CMAKE_INSTALL_LIBDIR}")
install(TARGETS TwainMonitor LIBRARY DESTINATION "${TWAINMON_INSTALL_DIR}")
if(TWAINMON_INSTALL_SAMPLE_DRIVER)
    install(TARGETS TwainWrapper LIBRARY DESTINATION "${driver_dir}")
endif()

