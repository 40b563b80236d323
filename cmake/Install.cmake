# Where the installed viewer lives on a freedesktop system, and the Debian package built from it.
include(GNUInstallDirs)

set(CPACK_PACKAGE_NAME kivo32)
# Debian looks for a package's documents, its copyright and changelog under its own name.
set(KIVO_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${CPACK_PACKAGE_NAME})
set(CPACK_PACKAGE_CONTACT "KIVO team <kivo@example.invalid>")
# The Debian revision: the packaging's own changes to one release of the program.
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
# Where the project publishes its files, and the desktop's name for the program, which must not
# change once released. Both are placeholders until the project has an address of its own.
set(KIVO_PUBLIC_URL "https://kivo32.example.invalid" CACHE STRING
    "Where the project's files are published; the AppStream screenshot is found under it")
set(KIVO_APPSTREAM_ID "invalid.example.kivo32" CACHE STRING
    "The AppStream component id: the project's domain, reversed, and the program's name")

if(KIVO_BUILD_WINDOW)
    install(TARGETS kivo32 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

    # The desktop entry's name matches the program's desktop file name (start_window.cpp), so the
    # desktop ties the running window to the entry and shows its icon.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/kivo32.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 16 32 48)
        install(FILES ${PROJECT_SOURCE_DIR}/data/icons/kivo32-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME kivo32.png)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/kivo32.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # The user file's type, which the desktop entry opens.
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/kivo32-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kivo32.xml)

    # A file to try the viewer on before a board's own is at hand.
    install(FILES ${PROJECT_SOURCE_DIR}/samples/BBBSUSER.DAT
            DESTINATION ${CMAKE_INSTALL_DATADIR}/kivo32/samples)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${KIVO_DOCDIR})

    if(UNIX AND NOT APPLE)
        include(${CMAKE_CURRENT_LIST_DIR}/ReleaseFiles.cmake)
    endif()
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KIVO team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Read-only viewer for BBBS bulletin board user files")
# Debian shows the description's lines as written: at most 80 columns each.
set(description
    "KIVO/32 opens a BBBS user file (BBBSUSER.DAT), lists every user and shows one"
    "user's personal data, board settings and usage statistics. It never writes the"
    "file. A user file opens from the file manager, dropped on the window or named"
    "on the command line, and every user can be exported as CSV or JSON Lines.")
list(JOIN description "\n" CPACK_PACKAGE_DESCRIPTION)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# dpkg-shlibdeps reads the libraries the program links (Qt 6 among them) into Depends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The xcb platform plugin is a separate package; without it the window cannot open on X11. The
# window's captions are measured for Liberation Sans: without it they would be cut. A name's
# control bytes show as their symbols (U+2401 to U+2421), which neither Liberation nor DejaVu
# draws: FreeSans does, and the text falls back to it for them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2, fonts-freefont-ttf")
set(CPACK_STRIP_FILES ON)
include(CPack)
