# One export list per module, written once as an ELF version script (the names between
# "global:" and "local:"). On Linux the linker takes the version script; on macOS ld64 takes an
# exported-symbols list made from it at configure time, each name with the leading underscore
# of Mach-O C symbols. On Windows the linker takes a module-definition file (.def) made from it:
# every name, or only those named after WINDOWS (each of which the script must export).
#
#   twainmon_export_only(<target> <version script> [WINDOWS <name>...])   in a CMakeLists.txt
#   cmake -DVERSION_SCRIPT=<file> -DOUTPUT=<file> -P ExportList.cmake   (writes the ld64 list)

# The exported names of version_script, into the variable out.
function(twainmon_exported_names version_script out)
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
    set(${out} ${names} PARENT_SCOPE)
endfunction()

# Writes the ld64 exported-symbols list of version_script to output.
function(twainmon_ld64_export_list version_script output)
    twainmon_exported_names("${version_script}" names)
    list(TRANSFORM names PREPEND "_")
    list(JOIN names "\n" text)
    file(CONFIGURE OUTPUT "${output}" CONTENT "${text}\n" @ONLY)
endfunction()

function(twainmon_export_only target version_script)
    cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "WINDOWS")
    set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${version_script})
    if(WIN32)
        twainmon_exported_names("${version_script}" names)
        if(arg_WINDOWS)
            foreach(name IN LISTS arg_WINDOWS)
                if(NOT name IN_LIST names)
                    message(FATAL_ERROR "${version_script} does not export ${name}")
                endif()
            endforeach()
            set(names ${arg_WINDOWS})
        endif()
        list(JOIN names "\n    " text)
        set(def_file ${CMAKE_CURRENT_BINARY_DIR}/${target}.def)
        file(CONFIGURE OUTPUT "${def_file}" CONTENT "EXPORTS\n    ${text}\n" @ONLY)
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${version_script})
        target_link_options(${target} PRIVATE ${def_file})
    elseif(APPLE)
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
