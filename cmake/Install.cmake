# The installed layout of a desktop program, and the Debian package made from it with CPack:
#   bin/tessaly
#   share/tessaly/                 language files tessaly.<code>.itl, the explanation's picture
#   share/applications/            org.tessaly.Tessaly.desktop
#   share/icons/hicolor/           the icon, scalable and 16..256 pixels
#   share/metainfo/                org.tessaly.Tessaly.metainfo.xml
#   share/man/man1/tessaly.1.gz
#   share/doc/tessaly/             copyright, changelog.gz
# Nothing installed refers to the build folder: the program finds its language files from its
# own place (../share/tessaly).
include(GNUInstallDirs)
set(_dist ${PROJECT_SOURCE_DIR}/dist)
set(_share ${CMAKE_INSTALL_DATADIR})

install(TARGETS tessaly RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/lang/tessaly.itl DESTINATION ${_share}/tessaly
        RENAME tessaly.en.itl)
file(GLOB _translations ${PROJECT_SOURCE_DIR}/lang/tessaly.*.itl)
install(FILES ${_translations} ${PROJECT_SOURCE_DIR}/lang/tessaly-explain.png
        DESTINATION ${_share}/tessaly)
install(FILES ${_dist}/org.tessaly.Tessaly.desktop DESTINATION ${_share}/applications)
install(FILES ${_dist}/org.tessaly.Tessaly.metainfo.xml DESTINATION ${_share}/metainfo)
install(FILES ${_dist}/org.tessaly.Tessaly.svg DESTINATION ${_share}/icons/hicolor/scalable/apps)
foreach(_n 16 24 32 48 64 128 256)
    install(FILES ${_dist}/icons/${_n}x${_n}/org.tessaly.Tessaly.png
            DESTINATION ${_share}/icons/hicolor/${_n}x${_n}/apps)
endforeach()

# The manual page and the changelog are installed compressed, as Debian wants them.
find_program(GZIP gzip REQUIRED)
foreach(_pair "tessaly.1:tessaly.1.gz" "changelog:changelog.gz")
    string(REPLACE ":" ";" _pair ${_pair})
    list(GET _pair 0 _from)
    list(GET _pair 1 _to)
    add_custom_command(OUTPUT ${PROJECT_BINARY_DIR}/${_to}
        COMMAND ${GZIP} -9nc ${_dist}/${_from} > ${PROJECT_BINARY_DIR}/${_to}
        DEPENDS ${_dist}/${_from} VERBATIM)
    list(APPEND _compressed ${PROJECT_BINARY_DIR}/${_to})
endforeach()
add_custom_target(tessaly_compressed_docs ALL DEPENDS ${_compressed})
install(FILES ${PROJECT_BINARY_DIR}/tessaly.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${_dist}/copyright ${PROJECT_BINARY_DIR}/changelog.gz
        DESTINATION ${_share}/doc/tessaly)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessaly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Tessaly developers <developers@tessaly.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "function plotter for teaching")
# The long description; CPack puts the summary above it as the synopsis.
set(CPACK_PACKAGE_DESCRIPTION "Tessaly plots a formula y = f(x) with four parameters a, b, c and d.
Students move the parameters with scroll bars and see the curve follow at
once; the chart zooms, pans and reads out values with a crosshair. Error
messages, captions and the explanation page come in English, German, French
and Spanish, chosen from the user's locale.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tessaly.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beyond the libraries it links: the platform plugins that show its window, and the fonts it
# draws its designed fonts with.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
include(CPack)
