# The Info.plist of a loadable bundle on macOS (package type BNDL), from the data source's
# template: CFBundleExecutable and CFBundleName are the executable's name.
#   twainmon_bundle_info_plist(<target> <bundle identifier>)
function(twainmon_bundle_info_plist target identifier)
    get_target_property(name ${target} OUTPUT_NAME)
    if(NOT name)
        set(name ${target})
    endif()
    set_target_properties(${target} PROPERTIES
        MACOSX_BUNDLE_INFO_PLIST ${PROJECT_SOURCE_DIR}/Mac/DSEntry2/Info.plist.in
        MACOSX_BUNDLE_GUI_IDENTIFIER "${identifier}"
        MACOSX_BUNDLE_BUNDLE_NAME "${name}"
        MACOSX_BUNDLE_BUNDLE_VERSION "${PROJECT_VERSION}"
        MACOSX_BUNDLE_SHORT_VERSION_STRING "${PROJECT_VERSION}")
endfunction()
