# Points LINK (a path inside the build tree) at the built bundle BUNDLE: replaces a symbolic
# link that is there, refuses to replace anything else.
#   cmake -DBUNDLE=<dir> -DLINK=<path> -P LinkBundle.cmake
if(IS_SYMLINK "${LINK}")
    file(REMOVE "${LINK}")
elseif(EXISTS "${LINK}")
    message(FATAL_ERROR "${LINK} exists and is not a symbolic link; remove it so that the "
                        "build can point it at ${BUNDLE}")
endif()
get_filename_component(parent "${LINK}" DIRECTORY)
file(MAKE_DIRECTORY "${parent}")
file(CREATE_LINK "${BUNDLE}" "${LINK}" SYMBOLIC)
