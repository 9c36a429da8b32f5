# Fills the Info.plist template the way CMake does for a bundle target: the MACOSX_BUNDLE_*
# values come in as -D definitions.   cmake -D... -DIN=<template> -DOUT=<file> -P FillInfoPlist.cmake
configure_file("${IN}" "${OUT}")
