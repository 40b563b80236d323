# Read by CPack as it makes each package of the Windows build (cmake/PackageWindows.cmake).
if(CPACK_GENERATOR STREQUAL "NSIS")
    set(CPACK_PACKAGE_FILE_NAME "${CPACK_PACKAGE_FILE_NAME}-setup")
    # A 64-bit installer, like the program: a 32-bit one would not run where Windows (or Wine)
    # has no 32-bit side, and would see the 32-bit registry and Program Files. The Start menu
    # folder is named as the install folder: the default, the program's name, holds a slash.
    set(CPACK_NSIS_DEFINES "Target amd64-unicode
  !define MUI_STARTMENUPAGE_DEFAULTFOLDER \"${CPACK_PACKAGE_INSTALL_DIRECTORY}\"")
    # KIVO/32 is offered under "Open with" for .DAT files, and does not take the extension
    # over: many programs keep .DAT files, and only one of them is the board's user file.
    set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS "
  WriteRegStr SHCTX 'Software\\Classes\\KIVO32.UserFile' '' 'BBBS user file'
  WriteRegStr SHCTX 'Software\\Classes\\KIVO32.UserFile\\DefaultIcon' '' '$INSTDIR\\kivo32.exe,0'
  WriteRegStr SHCTX 'Software\\Classes\\KIVO32.UserFile\\shell\\open\\command' '' '\"$INSTDIR\\kivo32.exe\" \"%1\"'
  WriteRegStr SHCTX 'Software\\Classes\\.dat\\OpenWithProgids' 'KIVO32.UserFile' ''
  WriteRegStr SHCTX 'Software\\Classes\\Applications\\kivo32.exe\\SupportedTypes' '.dat' ''
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'")
    # The uninstaller runs from a copy of itself, so it can go at once: otherwise it would still
    # be in the install folder when CPack's uninstaller removes that folder.
    set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey SHCTX 'Software\\Classes\\KIVO32.UserFile'
  DeleteRegValue SHCTX 'Software\\Classes\\.dat\\OpenWithProgids' 'KIVO32.UserFile'
  DeleteRegKey SHCTX 'Software\\Classes\\Applications\\kivo32.exe'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
  Delete '$INSTDIR\\Uninstall.exe'")
endif()
