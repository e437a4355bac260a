# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# The Windows package: the program beside the DLLs it needs, as a zip and as an installer.
# The icon Explorer and the taskbar show, in the program through its resource file, made
# from the renders of the SVG that the window icon uses.
set(sizes 16 24 32 48 64 256)
list(TRANSFORM sizes REPLACE "(.+)" "${PROJECT_SOURCE_DIR}/icons/hicolor/\\1x\\1/apps/${ZEL_APP_ID}.png"
    OUTPUT_VARIABLE renders)
set(ZEL_ICON ${CMAKE_CURRENT_BINARY_DIR}/${ZEL_APP_ID}.ico)
find_program(ZEL_CONVERT convert REQUIRED)
add_custom_command(OUTPUT ${ZEL_ICON} COMMAND ${ZEL_CONVERT} ${renders} ${ZEL_ICON}
    DEPENDS ${renders} COMMENT "Making the program's icon")
add_custom_target(program-icon DEPENDS ${ZEL_ICON})
# The program and its console twin, the .com, carry it, each with its own file name, and the
# manifest that lets them reach paths past 260 characters.
set(ZEL_MANIFEST ${CMAKE_CURRENT_SOURCE_DIR}/${ZEL_APP_ID}.manifest)
foreach(suffix exe com)
    set(ZEL_PROGRAM_FILE ${ZEL_APP_ID}.${suffix})
    configure_file(${ZEL_APP_ID}.rc.in ${ZEL_APP_ID}-${suffix}.rc @ONLY)
endforeach()
target_sources(zel-file-generator PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${ZEL_APP_ID}-exe.rc)
target_sources(zel-file-generator-console PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${ZEL_APP_ID}-com.rc)
add_dependencies(zel-file-generator program-icon)
add_dependencies(zel-file-generator-console program-icon)

# Everything in one folder: Qt looks for its plugins beside the program. Qt's DLLs and the
# program need MinGW's C++ runtime, which Windows does not have.
install(TARGETS zel-file-generator zel-file-generator-console RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::Core Qt6::Gui Qt6::Widgets RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles)
foreach(runtime libstdc++-6 libgcc_s_seh-1 libwinpthread-1)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}.dll
        OUTPUT_VARIABLE file OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${file} DESTINATION .)
endforeach()
# CPack strips only what the project built; Qt's and MinGW's DLLs carry their symbols too.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \${dlls} COMMAND_ERROR_IS_FATAL ANY)
endif()")

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_VERBATIM_VARIABLES ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_INSTALL_DIRECTORY "ZEL File Generator")
# Without the version, so that a new version installs over the old one as one program.
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "ZEL File Generator")
set(CPACK_PACKAGE_EXECUTABLES ${ZEL_APP_ID} "ZEL File Generator")
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
# A 64-bit installer, for a 64-bit program: it sees the 64-bit registry and Program Files. What
# it does besides CPack's own is in zel-file-generator.nsh: it never replaces or removes the
# files of a running copy, and it offers to put the folder on the user's PATH.
set(CPACK_NSIS_DEFINES "Target amd64-unicode
!include \"${CMAKE_CURRENT_SOURCE_DIR}/${ZEL_APP_ID}.nsh\"")
set(CPACK_NSIS_EXTRA_PREINSTALL_COMMANDS [[
  Call zelCloseRunningProgram
]])
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "ZEL File Generator")
set(CPACK_NSIS_PACKAGE_NAME "ZEL File Generator")
set(CPACK_NSIS_MUI_ICON ${ZEL_ICON})
set(CPACK_NSIS_MUI_UNIICON ${ZEL_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME ${ZEL_APP_ID}.exe)
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
# No uninstall before installing: the installer would run it from its start, before the operator
# can cancel, and a cancel then left the program uninstalled. Run over an installed version, the
# installer replaces its files and writes the association and the uninstaller's entry again.
# .zel files open in the program: an extension, a ProgID with the type's name and icon, and
# its open command. The uninstaller takes back the extension only where it is still ours,
# and the key CPack keeps the install folder in, with its vendor key above it.
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS [[
  WriteRegStr SHCTX "Software\Classes\.zel" "" "ZELFileGenerator.SettingFile"
  WriteRegStr SHCTX "Software\Classes\ZELFileGenerator.SettingFile" "" "ZEL setting file"
  WriteRegStr SHCTX "Software\Classes\ZELFileGenerator.SettingFile\DefaultIcon" "" "$INSTDIR\zel-file-generator.exe,0"
  WriteRegStr SHCTX "Software\Classes\ZELFileGenerator.SettingFile\shell\open\command" "" '"$INSTDIR\zel-file-generator.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]])
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS [[
  Call un.zelCloseRunningProgram
  Call un.zelRemoveFromUserPath
  DeleteRegKey SHCTX "Software\Classes\ZELFileGenerator.SettingFile"
  ReadRegStr $0 SHCTX "Software\Classes\.zel" ""
  StrCmp $0 "ZELFileGenerator.SettingFile" 0 +2
    DeleteRegKey SHCTX "Software\Classes\.zel"
  DeleteRegKey SHCTX "Software\ZEL File Generator maintainers"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
]])
