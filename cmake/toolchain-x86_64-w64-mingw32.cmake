# Cross build for 64-bit Windows with mingw-w64; tests run under Wine.
# cmake -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-x86_64-w64-mingw32.cmake [-DKVO_WINDOWS_DEPS=DIR]
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KVO_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
