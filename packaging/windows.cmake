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
set(qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets)
set(qt_plugins Qt6::QWindowsIntegrationPlugin Qt6::QWindowsVistaStylePlugin)
install(IMPORTED_RUNTIME_ARTIFACTS ${qt_libraries} RUNTIME DESTINATION .)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsIntegrationPlugin LIBRARY DESTINATION platforms)
install(IMPORTED_RUNTIME_ARTIFACTS Qt6::QWindowsVistaStylePlugin LIBRARY DESTINATION styles)
set(runtime_dlls)
foreach(runtime libstdc++-6 libgcc_s_seh-1 libwinpthread-1)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${runtime}.dll
        OUTPUT_VARIABLE file OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    install(FILES ${file} DESTINATION .)
    list(APPEND runtime_dlls ${file})
endforeach()

# The program's licence, and the notices of everything shipped beside it: Qt, the third-party
# code compiled into its DLLs (from what scripts/build-windows.sh kept of the Qt build) and
# MinGW-w64's run time. Both with Windows' line ends, as the installer's licence page shows
# the licence.
configure_file(${PROJECT_SOURCE_DIR}/LICENSE LICENSE.txt @ONLY NEWLINE_STYLE CRLF)
get_filename_component(qt_prefix ${Qt6_DIR}/../../.. ABSOLUTE)
set(qt_notices ${qt_prefix}/notices)
if(NOT EXISTS ${qt_notices}/qt-source-version.txt)
    message(FATAL_ERROR "The Qt for Windows in ${qt_prefix} has not kept what the third-party "
        "notices need: remove it, and scripts/build-windows.sh builds it again with them.")
endif()
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(notices ${CMAKE_CURRENT_BINARY_DIR}/THIRD-PARTY-NOTICES.txt)
set(notices_arguments)
# The Qt entry point is linked into the program itself.
foreach(library ${qt_libraries} ${qt_plugins} Qt6::EntryPointImplementation)
    list(APPEND notices_arguments --qt-library $<TARGET_FILE_NAME:${library}>)
endforeach()
foreach(runtime ${runtime_dlls})
    list(APPEND notices_arguments --runtime ${runtime})
endforeach()
# Qt's own translations, which translations/ ships beside the program's.
get_property(cache_variables GLOBAL PROPERTY CACHE_VARIABLES)
list(FILTER cache_variables INCLUDE REGEX "^ZEL_QTBASE_")
set(qt_translations)
foreach(variable ${cache_variables})
    list(APPEND notices_arguments --qt-translation ${${variable}})
    list(APPEND qt_translations ${${variable}})
endforeach()
file(GLOB_RECURSE qt_notices_files ${qt_notices}/*)
add_custom_command(OUTPUT ${notices}
    COMMAND Python3::Interpreter ${CMAKE_CURRENT_SOURCE_DIR}/third-party-notices.py
        --program "ZEL File Generator ${PROJECT_VERSION}" --qt ${qt_notices}
        ${notices_arguments} --output ${notices}
    DEPENDS third-party-notices.py ${qt_notices_files} ${runtime_dlls} ${qt_translations}
    COMMENT "Writing the third-party notices" VERBATIM)
add_custom_target(third-party-notices ALL DEPENDS ${notices})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt ${notices} DESTINATION .)
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
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_CURRENT_BINARY_DIR}/LICENSE.txt)
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
