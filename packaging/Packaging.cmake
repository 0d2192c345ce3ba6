# Install rules and the Debian package: /usr/bin/folvara, the user guide, the menu entry with its
# icons, the AppStream metadata and the man page. Qt's own Italian texts come from Debian's
# qt6-translations-l10n, where the program looks for them when none are beside the executable.
set(FOLVARA_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
set(FOLVARA_PACKAGE_OUT ${PROJECT_BINARY_DIR}/packaging)
set(FOLVARA_APP_ID it.folvara.Folvara)
set(FOLVARA_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/folvara)

string(TIMESTAMP FOLVARA_RELEASE_DATE "%Y-%m-%d" UTC)
string(TIMESTAMP FOLVARA_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
configure_file(${FOLVARA_PACKAGING}/${FOLVARA_APP_ID}.metainfo.xml.in
    ${FOLVARA_PACKAGE_OUT}/${FOLVARA_APP_ID}.metainfo.xml @ONLY)
configure_file(${FOLVARA_PACKAGING}/folvara.1.in ${FOLVARA_PACKAGE_OUT}/folvara.1 @ONLY)
configure_file(${FOLVARA_PACKAGING}/changelog.in ${FOLVARA_PACKAGE_OUT}/changelog @ONLY)
string(TIMESTAMP FOLVARA_RELEASE_YEAR "%Y" UTC)
configure_file(${FOLVARA_PACKAGING}/copyright.in ${FOLVARA_PACKAGE_OUT}/copyright @ONLY)

# Man page and changelog gzipped as Debian wants them (-n: no name or time stamp inside).
find_program(FOLVARA_GZIP gzip)
# PNG sizes of the icon, from its SVG.
find_program(FOLVARA_RSVG_CONVERT rsvg-convert)
set(FOLVARA_ICON_SIZES 16 24 32 48 64 128 256)
set(FOLVARA_PACKAGE_FILES)
if(FOLVARA_GZIP)
    foreach(name folvara.1 changelog)
        add_custom_command(OUTPUT ${FOLVARA_PACKAGE_OUT}/${name}.gz
            COMMAND ${FOLVARA_GZIP} -9nfk ${FOLVARA_PACKAGE_OUT}/${name}
            DEPENDS ${FOLVARA_PACKAGE_OUT}/${name}
            VERBATIM)
        list(APPEND FOLVARA_PACKAGE_FILES ${FOLVARA_PACKAGE_OUT}/${name}.gz)
    endforeach()
endif()
if(FOLVARA_RSVG_CONVERT)
    foreach(size ${FOLVARA_ICON_SIZES})
        set(png ${FOLVARA_PACKAGE_OUT}/icons/${size}x${size}/folvara.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${FOLVARA_PACKAGE_OUT}/icons/${size}x${size}
            COMMAND ${FOLVARA_RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${FOLVARA_PACKAGING}/folvara.svg
            DEPENDS ${FOLVARA_PACKAGING}/folvara.svg
            VERBATIM)
        list(APPEND FOLVARA_PACKAGE_FILES ${png})
    endforeach()
endif()
add_custom_target(folvara_package_files ALL DEPENDS ${FOLVARA_PACKAGE_FILES})

# The executable is Folvara in the program folder and folvara on the system's path.
install(TARGETS folvara RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(CODE "file(RENAME \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/Folvara\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/folvara\")")
install(FILES ${FOLVARA_GUIDE_PDF} ${FOLVARA_PACKAGE_OUT}/copyright DESTINATION ${FOLVARA_DOCDIR})
install(FILES ${FOLVARA_PACKAGING}/${FOLVARA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${FOLVARA_PACKAGE_OUT}/${FOLVARA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${FOLVARA_PACKAGING}/folvara.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
if(FOLVARA_GZIP)
    install(FILES ${FOLVARA_PACKAGE_OUT}/folvara.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    # A version without a Debian revision makes a native package: its changelog is changelog.gz.
    install(FILES ${FOLVARA_PACKAGE_OUT}/changelog.gz DESTINATION ${FOLVARA_DOCDIR})
else()
    install(FILES ${FOLVARA_PACKAGE_OUT}/folvara.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
if(FOLVARA_RSVG_CONVERT)
    foreach(size ${FOLVARA_ICON_SIZES})
        install(FILES ${FOLVARA_PACKAGE_OUT}/icons/${size}x${size}/folvara.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
else()
    message(STATUS "rsvg-convert not found: the package gets only the SVG icon")
endif()

set(CPACK_PACKAGE_NAME folvara)
set(CPACK_PACKAGE_VENDOR "Folvara Software")
set(CPACK_PACKAGE_CONTACT "Folvara Software <info@folvara.it>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "registry of persons and group pages with photos")
set(CPACK_PACKAGE_INSTALL_DIRECTORY Folvara)
set(CPACK_GENERATOR DEB)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://folvara.it/)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Folvara Software <info@folvara.it>")
# The summary above is the first line; this is the rest, indented by CPack.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Folvara keeps the registry of the persons of an association, a choir or a
scout group (one card each, with photo, attachments and consents) and prints
group pages of eight persons on A4. It checks codici fiscali and partite IVA,
exports the registry to spreadsheets and makes verified backups. The
interface is Italian.")
# The libraries come from the binary; what it loads at run time is named here: the display
# plugins, Qt's Italian texts and libxlsxwriter (opened for the .xlsx export); the SVG icon plugin
# and GStreamer's plugins for the camera are recommended.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, libxlsxwriter4")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-svg-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good")
include(CPack)
