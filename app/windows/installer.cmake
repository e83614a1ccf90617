# The Windows installer: a 64-bit Unicode NSIS installer in Chinese
# (Simplified), from the template beside this file. It puts the program and
# its licence into Program Files, a shortcut into the Start menu, and an
# uninstaller that Windows lists with the program's version and icon.
set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_FILE_NAME discharge-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY discharge)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_PACKAGE_NAME "污水排放量计算")
set(CPACK_NSIS_DISPLAY_NAME "污水排放量计算")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/discharge.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/app/discharge.ico)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSES/Apache-2.0.txt)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
