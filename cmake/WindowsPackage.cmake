# The Windows package, made by `cpack` in the build folder after an install-ready build: a ZIP
# always, and an NSIS installer where makensis is found. Qt's DLLs and plugins are copied
# beside the programs by windeployqt at install time, with Qt's licence notice.
include_guard(GLOBAL)

if(QUENDRIX_WITH_QT)
    get_target_property(quendrix_qmake Qt6::qmake IMPORTED_LOCATION)
    get_filename_component(quendrix_qt_bin "${quendrix_qmake}" DIRECTORY)
    find_program(QUENDRIX_WINDEPLOYQT windeployqt HINTS "${quendrix_qt_bin}" REQUIRED)
    install(CODE "
        execute_process(
            COMMAND \"${QUENDRIX_WINDEPLOYQT}\" --no-translations --compiler-runtime
                    \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/quendrix.exe\"
            COMMAND_ERROR_IS_FATAL ANY)")
endif()
# MSVC's runtime DLLs beside the programs; MinGW's come with windeployqt.
include(InstallRequiredSystemLibraries)

install(FILES packaging/windows/QT-NOTICE.txt packaging/windows/LGPL-3.txt
              packaging/windows/GPL-3.txt DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME LICENSE.txt)

set(CPACK_GENERATOR ZIP)
find_program(QUENDRIX_MAKENSIS makensis)
if(QUENDRIX_MAKENSIS)
    list(APPEND CPACK_GENERATOR NSIS)
endif()
set(CPACK_PACKAGE_INSTALL_DIRECTORY quendrix)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_NSIS_DISPLAY_NAME quendrix)
set(CPACK_NSIS_PACKAGE_NAME quendrix)
set(CPACK_NSIS_INSTALLED_ICON_NAME "bin\\\\quendrix.exe")
# The Start-menu entry starts the program in the user's Documents folder: the run log,
# TESTFILE.txt, is written to the current folder, and the program's own folder under
# Program Files may not be written.
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
    SetOutPath \"$DOCUMENTS\"
    CreateShortCut \"$SMPROGRAMS\\\\$STARTMENU_FOLDER\\\\quendrix.lnk\" \"$INSTDIR\\\\bin\\\\quendrix.exe\"
    SetOutPath \"$INSTDIR\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
    Delete \"$SMPROGRAMS\\\\$MUI_TEMP\\\\quendrix.lnk\"")
