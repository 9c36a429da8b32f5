# One export list per module, written once as an ELF version script (the names between
# "global:" and "local:"). On Linux the linker takes the version script; on macOS ld64 takes an
# exported-symbols list made from it at configure time, each name with the leading underscore
# of Mach-O C symbols.
#
#   twainmon_export_only(<target> <version script>)   in a CMakeLists.txt
#   cmake -DVERSION_SCRIPT=<file> -DOUTPUT=<file> -P ExportList.cmake   (writes the ld64 list)

# Writes the ld64 exported-symbols list of version_script to output.
function(twainmon_ld64_export_list version_script output)
    file(READ "${version_script}" script)
    string(REGEX REPLACE "/\\*([^*]|\\*[^/])*\\*/" "" script "${script}")
    if(NOT script MATCHES "global:([^}]*)local:")
        message(FATAL_ERROR "${version_script}: no \"global:\" list followed by \"local:\"")
    endif()
    set(global "${CMAKE_MATCH_1}")
    if(global MATCHES "[*?[]")
        message(FATAL_ERROR "${version_script}: a pattern among the exported names; "
                            "list every name")
    endif()
    string(REGEX MATCHALL "[A-Za-z_][A-Za-z0-9_]*" names "${global}")
    list(TRANSFORM names PREPEND "_")
    list(JOIN names "\n" text)
    file(CONFIGURE OUTPUT "${output}" CONTENT "${text}\n" @ONLY)
endfunction()

function(twainmon_export_only target version_script)
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${version_script})
    if(APPLE)
        set(list_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.exported_symbols)
        twainmon_ld64_export_list(${version_script} ${list_file})
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${version_script})
        target_link_options(${target} PRIVATE -Wl,-exported_symbols_list,${list_file})
    else()
        target_link_options(${target} PRIVATE -Wl,--version-script=${version_script}
            -Wl,--no-undefined)
    endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
    twainmon_ld64_export_list("${VERSION_SCRIPT}" "${OUTPUT}")
endif()
