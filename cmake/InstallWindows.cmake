# cmake --install on Windows: the monitor's folder, ready to be copied into C:\windows\twain_64
# (where the DSM looks for data sources), and the driver the monitor loads:
#   <prefix>/twain_64/TwainMonitor/TwainMonitor.ds
#   the sample driver TwainWrapper.dll (TWAINMON_INSTALL_SAMPLE_DRIVER) and the bridge
#   DsBridge.dll, with its DataSource.txt when TWAINMON_BRIDGE_DATA_SOURCE is given: in the
#   monitor's folder when TWAINMON_DRIVER_BUNDLE_PATH names a file of that folder
#   (...\twain_64\TwainMonitor\<name>.dll), else in <prefix>/driver/, to be copied to that path.
set(monitor_dir twain_64/TwainMonitor)
string(REPLACE "\\" "/" driver_path "${TWAINMON_DRIVER_BUNDLE_PATH}")
get_filename_component(driver_parent "${driver_path}" DIRECTORY)
string(TOLOWER "${driver_parent}" driver_parent)
if(driver_parent MATCHES "/twain_64/twainmonitor$")
    set(driver_dir ${monitor_dir})
else()
    set(driver_dir driver)
endif()

install(TARGETS TwainMonitor LIBRARY DESTINATION ${monitor_dir})
install(TARGETS DsBridge LIBRARY DESTINATION ${driver_dir})
if(TWAINMON_BRIDGE_DATA_SOURCE)
    # The path's backslashes, doubled for the install script's quoted text.
    string(REPLACE "\\" "\\\\" source "${TWAINMON_BRIDGE_DATA_SOURCE}")
    install(CODE "file(WRITE \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${driver_dir}/DataSource.txt\" \"${source}\\n\")")
endif()
if(TWAINMON_INSTALL_SAMPLE_DRIVER)
    install(TARGETS TwainWrapper LIBRARY DESTINATION ${driver_dir})
endif()
