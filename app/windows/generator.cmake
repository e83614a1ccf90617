# Read by cpack for each of its generators (CPACK_PROJECT_CONFIG_FILE): the
# zip is named apart from the installer, and holds the program and its
# licence at its top, without a folder around them.
if(CPACK_GENERATOR STREQUAL "ZIP")
    set(CPACK_PACKAGE_FILE_NAME ${CPACK_PACKAGE_FILE_NAME}-portable)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
endif()
