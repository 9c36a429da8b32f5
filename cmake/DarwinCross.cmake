# Cross-build of the macOS product on Linux, through CMake's own Apple code path
# (CMAKE_SYSTEM_NAME Darwin: bundles, Info.plist, export lists, install), with Debian's clang
# for the Apple targets and LLVM's Mach-O linker ld64.lld.
#   cmake --preset macos-cross            x86_64, macOS 10.15 on
#   cmake --preset macos-cross-universal  x86_64 and arm64 (arm64: macOS 11 on)
# There is no macOS SDK here: cmake/darwin-sdk stands in as the sysroot, with the headers the
# product's compile needs and text stubs (.tbd) of the libraries it links, each listing only
# the symbols the product uses (see cmake/darwin-sdk/README.md). Every symbol the bundles
# leave undefined must be in a stub, or the link fails.
set(CMAKE_SYSTEM_NAME Darwin)
set(CMAKE_SYSTEM_VERSION 19.0) # macOS 10.15
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(llvm_version 14)
find_program(CMAKE_C_COMPILER NAMES clang-${llvm_version} clang REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES clang++-${llvm_version} clang++ REQUIRED)
find_program(TWAINMON_LD64_LLD NAMES ld64.lld-${llvm_version} ld64.lld REQUIRED)
find_program(CMAKE_AR NAMES llvm-ar-${llvm_version} llvm-ar REQUIRED)
find_program(CMAKE_RANLIB NAMES llvm-ranlib-${llvm_version} llvm-ranlib REQUIRED)
find_program(CMAKE_LIPO NAMES llvm-lipo-${llvm_version} llvm-lipo REQUIRED)
set(CMAKE_C_COMPILER_TARGET x86_64-apple-macos10.15)
set(CMAKE_CXX_COMPILER_TARGET x86_64-apple-macos10.15)
set(CMAKE_OSX_SYSROOT "${CMAKE_CURRENT_LIST_DIR}/darwin-sdk" CACHE PATH "" FORCE)
# As on a Mac (see CMakeLists.txt): x86_64 unless the configure asks for more.
set(CMAKE_OSX_ARCHITECTURES x86_64 CACHE STRING "Architectures of the macOS build")
set(CMAKE_OSX_DEPLOYMENT_TARGET 10.15 CACHE STRING "Oldest macOS the build runs on")

# The link: ld64.lld, every undefined symbol an error.
# -mlinker-version: the ld64 release whose flags (-platform_version) clang then passes.
set(link_flags "--ld-path=${TWAINMON_LD64_LLD} -mlinker-version=609 -stdlib=libc++ -Wl,-undefined,error")
# Headers: cmake/darwin-sdk/usr/include first (the C library and what the Darwin target needs,
# the Memory Manager as deprecated as Apple declares it), then the platform layer's
# declarations of CoreFoundation and the Mach-O image list, which are Apple's own.
set(platform_headers "-idirafter ${CMAKE_CURRENT_LIST_DIR}/../Platform/include")
# A universal build (-arch x86_64 -arch arm64) makes clang join the slices with `lipo`, which
# it looks for in the -B folder: there, llvm-lipo under that name.
set(tools_dir "${CMAKE_BINARY_DIR}/darwin-tools")
file(MAKE_DIRECTORY "${tools_dir}")
file(CREATE_LINK "${CMAKE_LIPO}" "${tools_dir}/lipo" SYMBOLIC)
set(CMAKE_C_FLAGS_INIT "-B${tools_dir} ${platform_headers}")
set(CMAKE_CXX_FLAGS_INIT "-B${tools_dir} -stdlib=libc++ ${platform_headers}")
set(CMAKE_EXE_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "${link_flags}")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "${link_flags}")

# Static libraries: fat when the build is universal, as Apple's libtool makes them.
foreach(lang C CXX)
    set(CMAKE_${lang}_ARCHIVE_CREATE "\"${CMAKE_COMMAND}\" -DAR=${CMAKE_AR} -DLIPO=${CMAKE_LIPO} -DTARGET=<TARGET> \"-DOBJECTS=<OBJECTS>\" -P ${CMAKE_CURRENT_LIST_DIR}/DarwinArchive.cmake")
    set(CMAKE_${lang}_ARCHIVE_FINISH "\"${CMAKE_COMMAND}\" -E true")
endforeach()

set(CMAKE_FIND_ROOT_PATH "${CMAKE_OSX_SYSROOT}")
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Boost is header-only here (Boost.Format) and the same on every platform: its headers are
# taken from the build machine through a folder that holds nothing else, so that no header of
# the build machine's C library is ever on the include path.
if(NOT Boost_INCLUDE_DIR AND EXISTS /usr/include/boost/version.hpp)
    set(boost_dir "${CMAKE_BINARY_DIR}/darwin-boost")
    file(MAKE_DIRECTORY "${boost_dir}")
    file(CREATE_LINK /usr/include/boost "${boost_dir}/boost" SYMBOLIC)
    set(Boost_INCLUDE_DIR "${boost_dir}" CACHE PATH "Boost headers (from the build machine)")
endif()
set(Boost_NO_BOOST_CMAKE ON)
