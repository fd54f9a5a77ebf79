# qx.exe is a Windows GUI program (no console window) with the program's
# icon and version information as resources.
enable_language(RC)
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(QX_ICON_SIZES 16 32 48 64 128 256)
set(QX_ICON_PNGS)
foreach(size IN LISTS QX_ICON_SIZES)
  list(APPEND QX_ICON_PNGS ${PROJECT_SOURCE_DIR}/packaging/icons/quarvex-${size}.png)
endforeach()
set(QX_ICO ${CMAKE_CURRENT_BINARY_DIR}/quarvex.ico)
add_custom_command(
  OUTPUT ${QX_ICO}
  COMMAND Python3::Interpreter ${PROJECT_SOURCE_DIR}/tools/make_ico.py ${QX_ICO} ${QX_ICON_PNGS}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_ico.py ${QX_ICON_PNGS}
  COMMENT "Making the Windows icon")
set(QX_RC ${CMAKE_CURRENT_BINARY_DIR}/qx.rc)
configure_file(packaging/windows/qx.rc.in ${QX_RC} @ONLY)
set_source_files_properties(${QX_RC} PROPERTIES OBJECT_DEPENDS ${QX_ICO})
target_sources(qx PRIVATE ${QX_RC})
set_target_properties(qx PROPERTIES WIN32_EXECUTABLE ON)
