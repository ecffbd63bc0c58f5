# Builds with sanitizers, each in a build folder of its own:
#   KVO_SANITIZE=address,undefined  or  KVO_SANITIZE=thread   (make asan, make tsan)
#   KVO_FUZZ=ON  the fuzz targets under libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer
#                (clang; make fuzz)
# Every sanitizer stops the program at its first report.
set(KVO_SANITIZE "" CACHE STRING "Sanitizers to build everything with (address,undefined or thread)")
option(KVO_FUZZ "Build the fuzz targets with libFuzzer instead of the library, host and tests" OFF)

if(KVO_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KVO_FUZZ needs clang (CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
elseif(KVO_SANITIZE)
  add_compile_options(-fsanitize=${KVO_SANITIZE} -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_link_options(-fsanitize=${KVO_SANITIZE})
  # GCC 12's instrumented standard library code makes it report uninitialized members of
  # std::regex states and overflowing copies in std::vector::insert that are neither.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    add_compile_options(-Wno-maybe-uninitialized -Wno-stringop-overflow)
  endif()
endif()
