# cmake --install: the data source module, the platform library it needs on Linux and the
# sample driver as a bundle, under one prefix (on macOS the data source goes where the DSM
# looks for it instead, see below):
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
if(APPLE)
    # A bundle target installs as its whole bundle directory.
    install(TARGETS DsBridge LIBRARY DESTINATION "${TWAINMON_INSTALL_DIR}")
else()
    install(TARGETS DsBridge LIBRARY DESTINATION "${bridge_install_dir}/MacOS")
endif()
if(TWAINMON_BRIDGE_DATA_SOURCE)
    install(CODE "file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${bridge_install_dir}/Resources/DataSource.txt\" \"${TWAINMON_BRIDGE_DATA_SOURCE}\\n\")")
endif()

if(APPLE)
    # The DSM looks for data sources in this folder (an absolute path: the prefix does not
    # apply, DESTDIR does).
    set(TWAINMON_DATA_SOURCE_INSTALL_DIR "/Library/Image Capture/TWAIN Data Sources" CACHE PATH
        "Install directory of the data source bundle on macOS")
    install(TARGETS TwainMonitor LIBRARY DESTINATION "${TWAINMON_DATA_SOURCE_INSTALL_DIR}")
    set(signed "\"${TWAINMON_DATA_SOURCE_INSTALL_DIR}/${TWAINMON_BUNDLE_NAME}.ds\""
        "\"\${CMAKE_INSTALL_PREFIX}/${TWAINMON_INSTALL_DIR}/DsBridge.bundle\"")
    if(TWAINMON_INSTALL_SAMPLE_DRIVER)
        install(TARGETS TwainWrapper LIBRARY DESTINATION "${TWAINMON_INSTALL_DIR}")
        list(APPEND signed "\"\${CMAKE_INSTALL_PREFIX}/${TWAINMON_INSTALL_DIR}/TwainWrapper.bundle\"")
    endif()
    list(JOIN signed " " signed)
    # Every installed bundle is signed, after its last file is in place: ad hoc, or with
    # TWAINMON_CODESIGN_IDENTITY (at configure or install time) when it is set. Apple silicon
    # runs no unsigned arm64 code. Without codesign (a cross-build) the bundles keep the ad hoc
    # signature the linker gave their arm64 code.
    find_program(TWAINMON_CODESIGN codesign)
    set(TWAINMON_CODESIGN_IDENTITY "" CACHE STRING
        "Signing identity of the installed bundles (empty: ad hoc)")
    install(CODE "
        set(codesign \"\$ENV{TWAINMON_CODESIGN}\")
        if(NOT codesign)
            set(codesign \"${TWAINMON_CODESIGN}\")
        endif()
        set(identity \"\$ENV{TWAINMON_CODESIGN_IDENTITY}\")
        if(NOT identity)
            set(identity \"${TWAINMON_CODESIGN_IDENTITY}\")
        endif()
        if(NOT identity)
            set(identity -)
        endif()
        foreach(bundle IN ITEMS ${signed})
            set(bundle \"\$ENV{DESTDIR}\${bundle}\")
            if(codesign)
                message(STATUS \"Signing (\${identity}): \${bundle}\")
                execute_process(COMMAND \"\${codesign}\" --force --sign \"\${identity}\" \"\${bundle}\"
                                COMMAND_ERROR_IS_FATAL ANY)
            else()
                message(STATUS \"Not signed (no codesign): \${bundle}\")
            endif()
        endforeach()")
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

