# 64-bit Windows with mingw-w64 (Debian: g++-mingw-w64-x86-64-posix), run under Wine
# (Debian: wine, wine64) when a test starts a program of the build.
#
# Every program and module links the C and C++ runtimes statically: the monitor is loaded
# into any host, and a folder under C:\windows\twain_64 holds nothing but the module.
#
# The header-only libraries of the host (Boost, CLI11, nlohmann-json) are made visible through
# a folder of links to their own header folders only: /usr/include itself holds glibc's
# headers, which must never reach a Windows compile. CLI11 and nlohmann-json get small
# package files there, so that find_package() takes them as it does on Linux.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(mingw x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw}-windres)
# The C library's printf family as C99 has it (mingw-w64's own), not msvcrt's: the log's
# numbers are formatted the same on every platform.
set(CMAKE_C_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_CXX_FLAGS_INIT "-D__USE_MINGW_ANSI_STDIO=1")
set(CMAKE_FIND_ROOT_PATH /usr/${mingw})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(static_runtime "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${static_runtime}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${static_runtime}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${static_runtime}")

# Programs of the build run under Wine, headless, in a prefix of the build tree.
find_program(TWAINMON_WINE wine)
if(TWAINMON_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR env TWAINMON_WINEPREFIX=${CMAKE_BINARY_DIR}/wine
        ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh)
endif()

set(host_headers ${CMAKE_BINARY_DIR}/host-headers)
if(NOT EXISTS ${host_headers}/lib/cmake)
    file(MAKE_DIRECTORY ${host_headers}/include)
    foreach(dir boost CLI nlohmann)
        if(EXISTS /usr/include/${dir})
            file(CREATE_LINK /usr/include/${dir} ${host_headers}/include/${dir} SYMBOLIC)
        endif()
    endforeach()
    foreach(package CLI11:CLI:CLI11 nlohmann_json:nlohmann:nlohmann_json)
        string(REPLACE ":" ";" parts ${package})
        list(GET parts 0 name)
        list(GET parts 1 dir)
        list(GET parts 2 target)
        set(target ${name}::${target})
        if(NOT EXISTS /usr/include/${dir})
            continue()
        endif()
        file(WRITE ${host_headers}/lib/cmake/${name}/${name}Config.cmake
            "if(NOT TARGET ${target})\n"
            "    add_library(${target} INTERFACE IMPORTED)\n"
            "    set_target_properties(${target} PROPERTIES\n"
            "        INTERFACE_INCLUDE_DIRECTORIES \"${host_headers}/include\")\n"
            "endif()\n")
    endforeach()
endif()
list(APPEND CMAKE_FIND_ROOT_PATH ${host_headers})
set(Boost_INCLUDE_DIR ${host_headers}/include CACHE PATH "Boost's headers (host, header only)")
set(Boost_NO_BOOST_CMAKE ON CACHE BOOL "")
