# Run by cpack on the installed tree before it packs it (CPACK_PRE_BUILD_SCRIPTS),
# so that a package holds the same bytes whoever builds it, under any umask:
# modes as for any installed file (rw-r--r--, or rwxr-xr-x for programs and
# folders) and, when SOURCE_DATE_EPOCH is set (scripts/release), that time on
# every file and folder, which the zip and the installer record.
execute_process(COMMAND chmod -R u=rwX,go=rX ${CPACK_TEMPORARY_DIRECTORY} COMMAND_ERROR_IS_FATAL ANY)
if(DEFINED ENV{SOURCE_DATE_EPOCH})
    execute_process(COMMAND find ${CPACK_TEMPORARY_DIRECTORY} -exec touch -h -d @$ENV{SOURCE_DATE_EPOCH} {} +
                    COMMAND_ERROR_IS_FATAL ANY)
endif()
