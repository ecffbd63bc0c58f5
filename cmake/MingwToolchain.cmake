# What both mingw-w64 toolchain files share; they set CMAKE_SYSTEM_PROCESSOR and
# KVO_MINGW_TRIPLE first.
#
# The posix-thread compilers (the win32-thread ones have no std::thread or std::mutex). Every
# binary links libgcc, libstdc++ and winpthread statically, so it needs only the DLLs of
# Windows itself. Libraries are searched in the dependency prefix scripts/build-windows-deps
# fills (KVO_WINDOWS_DEPS, build-windows/deps/<arch> by default) and in the compiler's own
# root, never on the build machine. Cross-built programs run through scripts/wine-env, in the
# Wine prefix wine-prefix of the build folder.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${KVO_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KVO_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${KVO_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${KVO_MINGW_TRIPLE}-ar CACHE FILEPATH "archiver")
set(CMAKE_RANLIB ${KVO_MINGW_TRIPLE}-ranlib CACHE FILEPATH "archive indexer")

get_filename_component(KVO_SOURCE_ROOT ${CMAKE_CURRENT_LIST_DIR} DIRECTORY)
set(KVO_WINDOWS_DEPS ${KVO_SOURCE_ROOT}/build-windows/deps/${CMAKE_SYSTEM_PROCESSOR}
  CACHE PATH "prefix of the static libraries cross-built for this architecture")
# try_compile projects see the same prefix.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES KVO_WINDOWS_DEPS)

set(CMAKE_FIND_ROOT_PATH ${KVO_WINDOWS_DEPS} /usr/${KVO_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Static archives only: an import library (.dll.a) would make the binary need its DLL.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)

# -static for DLLs too: -static-libstdc++ alone switches back to -Bdynamic after libstdc++, and
# the winpthread the driver adds last would then be its DLL.
foreach(kind EXE SHARED MODULE)
  set(CMAKE_${kind}_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
endforeach()

set(CMAKE_CROSSCOMPILING_EMULATOR
  ${KVO_SOURCE_ROOT}/scripts/wine-env --prefix ${CMAKE_BINARY_DIR}/wine-prefix -- wine)
