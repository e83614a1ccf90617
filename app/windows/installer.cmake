# The Windows installer: a Unicode NSIS installer in Chinese (Simplified), of
# the program's own width, from the template beside this file. It puts the
# program and its licence into Program Files, a shortcut into the Start menu,
# and an uninstaller that Windows lists with the program's version and icon.
# And the same two files as a zip, to run without installing.
set(CPACK_GENERATOR NSIS ZIP)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CPACK_PACKAGE_FILE_NAME discharge-${PROJECT_VERSION}-win64)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
    # The template's own settings: NSIS's target, the registry view of the
    # uninstall record.
    set(CPACK_NSIS_TARGET amd64-unicode)
    set(CPACK_NSIS_REGISTRY_VIEW 64)
else()
    # Program Files on 32-bit Windows, Program Files (x86) on 64-bit Windows;
    # there, the uninstall record in the 32-bit view, as for any 32-bit program.
    set(CPACK_PACKAGE_FILE_NAME discharge-${PROJECT_VERSION}-win32)
    set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES")
    set(CPACK_NSIS_TARGET x86-unicode)
    set(CPACK_NSIS_REGISTRY_VIEW 32)
endif()
set(CPACK_PACKAGE_INSTALL_DIRECTORY discharge)
set(CPACK_NSIS_PACKAGE_NAME "污水排放量计算")
set(CPACK_NSIS_DISPLAY_NAME "污水排放量计算")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/app/discharge.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/app/discharge.ico)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSES/Apache-2.0.txt)
list(PREPEND CMAKE_MODULE_PATH ${CMAKE_CURRENT_LIST_DIR})
# Read by cpack for each generator: the zip's own name, its files at its top.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/generator.cmake)
