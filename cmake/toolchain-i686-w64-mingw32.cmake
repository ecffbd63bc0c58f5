# Cross build for 32-bit Windows with mingw-w64; tests run under Wine (wine32 needed).
# cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-i686-w64-mingw32.cmake [-DKVO_WINDOWS_DEPS=DIR]
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KVO_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
