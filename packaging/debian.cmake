# SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
# SPDX-License-Identifier: MIT

# The Debian package: the program installed as a desktop application.
if(TARGET zel-file-generator)
    install(TARGETS zel-file-generator RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

install(FILES ${ZEL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# Debian's triggers of shared-mime-info and desktop-file-utils update both databases.
install(FILES ${ZEL_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)

configure_file(${ZEL_APP_ID}.metainfo.xml.in ${ZEL_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ZEL_APPSTREAM_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The manual page and the changelog go compressed, as Debian's policy wants them.
execute_process(COMMAND date -u -R -d ${ZEL_RELEASE_DATE}
    OUTPUT_VARIABLE ZEL_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
set(ZEL_COMPRESSED)
foreach(document ${ZEL_APP_ID}.1 changelog)
    configure_file(${document}.in ${document} @ONLY)
    add_custom_command(OUTPUT ${document}.gz
        COMMAND gzip -9nc ${document} > ${document}.gz
        DEPENDS ${CMAKE_CURRENT_BINARY_DIR}/${document}
        COMMENT "Compressing ${document}")
    list(APPEND ZEL_COMPRESSED ${CMAKE_CURRENT_BINARY_DIR}/${document}.gz)
endforeach()
add_custom_target(compressed-documents ALL DEPENDS ${ZEL_COMPRESSED})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${ZEL_APP_ID}.1.gz
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(ZEL_ICON_DIR ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/icons/hicolor/ DESTINATION ${ZEL_ICON_DIR}
    FILES_MATCHING PATTERN "*.png")
install(FILES ${PROJECT_SOURCE_DIR}/icons/${ZEL_APP_ID}.svg DESTINATION ${ZEL_ICON_DIR}/scalable/apps)

# The docdir is named after the package, not after the CMake project.
set(ZEL_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${ZEL_APP_ID})
install(FILES copyright ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${ZEL_DOC_DIR})
if(EXISTS ${PROJECT_SOURCE_DIR}/README.md)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md
        DESTINATION ${ZEL_DOC_DIR})
endif()

set(CPACK_GENERATOR DEB)
# Debian shows the long description as is, so it is wrapped here.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "ZEL File Generator is a small desktop tool with which an operator prepares"
    "the .zel setting file of a device's barcode-reader front end: the RS-232C"
    "link of the reader, the part of each barcode that is picked up, and the"
    "device's working mode.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the Qt libraries the program links; it cannot see the xcb platform
# plugin Qt loads at run time, the font that stands in for Arial, nor Qt's own translations.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, qt6-translations-l10n")
# The window in Japanese needs a Japanese font.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-ipafont-gothic")
