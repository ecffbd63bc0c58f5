# The static libraries of a Windows cross build, from the prefix scripts/build-windows-deps fills
# (KVO_WINDOWS_DEPS, set by the toolchain file) and the compiler's own root. Defines the targets
# the Linux build gets from its find modules, LibXml2::LibXml2 and ZLIB::ZLIB, and, where they
# were built, pugixml::pugixml and ISAL::ISAL. A missing libxml2 or zlib stops the configure
# step with the command that builds them; a missing pugixml or ISA-L is only reported.

function(kvo_static_library target library header)
  cmake_parse_arguments(ARG "REQUIRED" "HEADER_SUFFIX" "DEFINITIONS;LINK" ${ARGN})
  string(MAKE_C_IDENTIFIER ${target} var)
  find_library(KVO_${var}_ARCHIVE NAMES ${library})
  find_path(KVO_${var}_INCLUDE NAMES ${header} PATH_SUFFIXES ${ARG_HEADER_SUFFIX})
  if(NOT KVO_${var}_ARCHIVE OR NOT KVO_${var}_INCLUDE)
    if(ARG_REQUIRED)
      message(FATAL_ERROR "${library} for Windows is missing in ${KVO_WINDOWS_DEPS}: run "
        "scripts/build-windows-deps ${CMAKE_SYSTEM_PROCESSOR} (make windows does)")
    endif()
    return()
  endif()
  add_library(${target} STATIC IMPORTED GLOBAL)
  set_target_properties(${target} PROPERTIES
    IMPORTED_LOCATION ${KVO_${var}_ARCHIVE}
    INTERFACE_INCLUDE_DIRECTORIES ${KVO_${var}_INCLUDE}
    INTERFACE_COMPILE_DEFINITIONS "${ARG_DEFINITIONS}"
    INTERFACE_LINK_LIBRARIES "${ARG_LINK}")
endfunction()

if(NOT KVO_WINDOWS_DEPS)
  message(FATAL_ERROR "A Windows build needs a toolchain file of cmake/ (make windows)")
endif()

kvo_static_library(ZLIB::ZLIB libz.a zlib.h REQUIRED)
# A static libxml2 declares its functions without dllimport only with LIBXML_STATIC.
kvo_static_library(LibXml2::LibXml2 libxml2.a libxml/parser.h REQUIRED HEADER_SUFFIX libxml2
  DEFINITIONS LIBXML_STATIC LINK ZLIB::ZLIB ws2_32)
kvo_static_library(pugixml::pugixml libpugixml.a pugixml.hpp)
kvo_static_library(ISAL::ISAL libisal.a isa-l.h)
if(NOT TARGET ISAL::ISAL)
  message(STATUS "ISA-L was not built for ${CMAKE_SYSTEM_PROCESSOR} (see "
    "${KVO_WINDOWS_DEPS}/deps.txt): the workbooks are compressed with zlib")
endif()
if(EXISTS ${KVO_WINDOWS_DEPS}/deps.txt)
  file(STRINGS ${KVO_WINDOWS_DEPS}/deps.txt KVO_WINDOWS_DEPS_BUILT)
  list(JOIN KVO_WINDOWS_DEPS_BUILT "; " KVO_WINDOWS_DEPS_BUILT)
  message(STATUS "Windows libraries: ${KVO_WINDOWS_DEPS_BUILT}")
endif()
