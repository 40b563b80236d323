# What a Windows user downloads: a zip and an NSIS installer of one folder holding kivo32.exe,
# exactly the DLLs it loads (Qt, its platform and style plugins, the MinGW-w64 runtime), the
# sample file, the README and the licences of everything bundled. Every binary is stripped.
# The Linux install rules and Debian package are in Install.cmake.
if(NOT KIVO_BUILD_WINDOW)
    return()
endif()
find_package(Qt6 6.4 REQUIRED COMPONENTS Core Gui Widgets)

install(TARGETS kivo32 RUNTIME DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
              ${KIVO_MINGW_RUNTIME}
        DESTINATION .)
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
install(FILES ${KIVO_SYMBOL_FONT} DESTINATION fonts)
install(FILES ${PROJECT_SOURCE_DIR}/samples/BBBSUSER.DAT DESTINATION samples)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)

# The licences, as Debian ships them with the very files bundled here; .txt, so that Windows
# opens them.
configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/licenses.txt.in
               ${PROJECT_BINARY_DIR}/licenses/README.txt @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/licenses/README.txt DESTINATION licenses)
foreach(license "Qt/LGPL-3=/usr/share/common-licenses/LGPL-3"
                "Qt/GPL-3=/usr/share/common-licenses/GPL-3"
                "Qt/copyright=/usr/share/doc/libqt6core6/copyright"
                "GCC-runtime/copyright=/usr/share/doc/gcc-mingw-w64-base/copyright"
                "MinGW-w64/copyright=/usr/share/doc/mingw-w64-common/copyright"
                "Liberation-Sans/copyright=/usr/share/doc/fonts-liberation2/copyright"
                "FreeSans/copyright=/usr/share/doc/fonts-freefont-ttf/copyright")
    string(REGEX MATCH "^([^/]+)/([^=]+)=(.+)$" _ ${license})
    install(FILES ${CMAKE_MATCH_3} DESTINATION licenses/${CMAKE_MATCH_1}
            RENAME ${CMAKE_MATCH_2}.txt)
endforeach()

# Qt's and the runtime's DLLs come with their debugging sections; strip the installed copies.
install(CODE "
    file(GLOB_RECURSE binaries \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.exe\"
                               \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    foreach(binary IN LISTS binaries)
        execute_process(COMMAND ${CMAKE_STRIP} --strip-unneeded \${binary} COMMAND_ERROR_IS_FATAL ANY)
    endforeach()
")

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_NAME kivo32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "KIVO team")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Read-only viewer for BBBS bulletin board user files")
set(CPACK_PACKAGE_FILE_NAME kivo32-${PROJECT_VERSION}-windows-x86_64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY KIVO32)
set(CPACK_PACKAGE_EXECUTABLES kivo32 KIVO32) # the Start menu entry
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_DISPLAY_NAME "KIVO/32 ${PROJECT_VERSION}")
set(CPACK_NSIS_PACKAGE_NAME "KIVO/32")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/icons/kivo32.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/icons/kivo32.ico)
set(CPACK_NSIS_INSTALLED_ICON_NAME kivo32.exe)
set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
# The installer's file name, and its registry entries, are set as CPack runs (see the file).
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/packaging/windows/cpack-options.cmake)
include(CPack)
