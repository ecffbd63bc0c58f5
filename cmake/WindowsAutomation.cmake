# The automation server of a Windows build: widl makes the type library, embedded in the DLL as a
# resource, and the header the server and compiled clients bind with; src/com/ is linked whole
# into kvoexportexcel.dll, which exports DllGetClassObject, DllCanUnloadNow, DllRegisterServer,
# DllUnregisterServer and the C entry points.

find_program(KVO_WIDL NAMES ${KVO_MINGW_TRIPLE}-widl widl REQUIRED)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(KVO_WIDL_ARCH --win64)
  set(KVO_WINE_WINDOWS_LIBS /usr/lib/x86_64-linux-gnu/wine/x86_64-windows)
else()
  set(KVO_WIDL_ARCH --win32)
  set(KVO_WINE_WINDOWS_LIBS /usr/lib/i386-linux-gnu/wine/i386-windows)
endif()
# The IDL imports Windows' own IDL files (libwine-dev) and stdole2.tlb (Wine's).
set(KVO_WINE_IDL_INCLUDE /usr/include/wine/wine/windows)

set(KVO_COM_GENERATED ${PROJECT_BINARY_DIR}/generated)
set(KVO_IDL ${PROJECT_SOURCE_DIR}/src/com/kvoexportexcel.idl)
set(KVO_AUTOMATION_HEADER ${KVO_COM_GENERATED}/com/kvoexportexcel_automation.h)
set(KVO_AUTOMATION_IIDS ${KVO_COM_GENERATED}/com/kvoexportexcel_automation_i.c)
set(KVO_TYPELIB ${KVO_COM_GENERATED}/com/kvoexportexcel.tlb)
add_custom_command(
  OUTPUT ${KVO_AUTOMATION_HEADER} ${KVO_AUTOMATION_IIDS} ${KVO_TYPELIB}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${KVO_COM_GENERATED}/com
  COMMAND ${KVO_WIDL} ${KVO_WIDL_ARCH} -I${KVO_WINE_IDL_INCLUDE} -L${KVO_WINE_WINDOWS_LIBS}
    -h -o ${KVO_AUTOMATION_HEADER} ${KVO_IDL}
  COMMAND ${KVO_WIDL} ${KVO_WIDL_ARCH} -I${KVO_WINE_IDL_INCLUDE} -L${KVO_WINE_WINDOWS_LIBS}
    -u -o ${KVO_AUTOMATION_IIDS} ${KVO_IDL}
  COMMAND ${KVO_WIDL} ${KVO_WIDL_ARCH} -I${KVO_WINE_IDL_INCLUDE} -L${KVO_WINE_WINDOWS_LIBS}
    -t -o ${KVO_TYPELIB} ${KVO_IDL}
  DEPENDS ${KVO_IDL}
  COMMENT "widl: the type library and header of src/com/kvoexportexcel.idl"
  VERBATIM)
add_custom_target(kvo_automation_idl DEPENDS ${KVO_AUTOMATION_HEADER} ${KVO_AUTOMATION_IIDS}
  ${KVO_TYPELIB})

# The identifiers of the interfaces and classes, for the server and for compiled clients.
add_library(kvo_automation_ids STATIC ${KVO_AUTOMATION_IIDS})
target_include_directories(kvo_automation_ids PUBLIC ${KVO_COM_GENERATED})
add_dependencies(kvo_automation_ids kvo_automation_idl)

kvo_layer(kvo_com com kvo_entry kvo_automation_ids ole32 oleaut32 uuid advapi32)
target_include_directories(kvo_com PUBLIC ${KVO_COM_GENERATED})
add_dependencies(kvo_com kvo_automation_idl)

target_sources(kvoexportexcel PRIVATE ${PROJECT_SOURCE_DIR}/src/com/kvoexportexcel.rc)
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/com/kvoexportexcel.rc PROPERTIES
  OBJECT_DEPENDS ${KVO_TYPELIB})
target_include_directories(kvoexportexcel PRIVATE ${KVO_COM_GENERATED}/com)
target_compile_definitions(kvoexportexcel PRIVATE
  KVO_VERSION_MAJOR=${PROJECT_VERSION_MAJOR} KVO_VERSION_MINOR=${PROJECT_VERSION_MINOR}
  KVO_VERSION_PATCH=${PROJECT_VERSION_PATCH})
target_link_libraries(kvoexportexcel PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,kvo_com>")
# The DLL carries no "lib" prefix; on 32-bit Windows the __stdcall entry points are exported
# under their plain names, as VBA's Declare and COM look them up, and under their decorated
# ones ("kvo_ParseMain@16"), which C and C++ hosts linked with the import library refer to.
set_target_properties(kvoexportexcel PROPERTIES PREFIX "")
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  target_link_options(kvoexportexcel PRIVATE "LINKER:--add-stdcall-alias")
endif()

# The packages' tool and version file (scripts/package-windows makes the zip and the MSI).
add_subdirectory(${PROJECT_SOURCE_DIR}/packaging/windows ${PROJECT_BINARY_DIR}/packaging)
