# Files for Linux distributions and the Debian package's own settings:
# manual pages, the package's copyright file, changelog and lintian
# overrides. Included from the top CMakeLists.txt, on Linux, before
# include(CPack).
include(GNUInstallDirs)
set(dist ${PROJECT_BINARY_DIR}/dist)

configure_file(${PROJECT_SOURCE_DIR}/app/man/discharge.1.in ${dist}/man/discharge.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/app/man/discharge.zh_CN.1.in
               ${dist}/man/zh_CN/discharge.1 @ONLY)
# A native package (its version has no Debian revision): one changelog, changelog.gz.
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${dist}/changelog @ONLY)
# The copyright file states what .reuse/dep5 states, with the licence's paragraph.
file(READ ${PROJECT_SOURCE_DIR}/.reuse/dep5 dep5)
file(READ ${CMAKE_CURRENT_LIST_DIR}/copyright-licence licence)
file(CONFIGURE OUTPUT ${dist}/copyright CONTENT "${dep5}\n${licence}" @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/.reuse/dep5 ${CMAKE_CURRENT_LIST_DIR}/copyright-licence)

# Compressed as Debian wants them: gzip -9, no name or time stamp inside.
set(gzipped)
foreach(file man/discharge.1 man/zh_CN/discharge.1 changelog)
    add_custom_command(OUTPUT ${dist}/${file}.gz
        COMMAND gzip -9nkf ${dist}/${file}
        COMMAND ${CMAKE_COMMAND} -E touch ${dist}/${file}.gz
        DEPENDS ${dist}/${file} VERBATIM)
    list(APPEND gzipped ${dist}/${file}.gz)
endforeach()
add_custom_target(distribution_files ALL DEPENDS ${gzipped})

install(FILES ${dist}/man/discharge.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${dist}/man/zh_CN/discharge.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/zh_CN/man1)
install(FILES ${dist}/copyright ${dist}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME discharge)
# A stripped install drops the compiler's version notes too, as Debian's own
# packages do (strip alone keeps the .comment section).
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/discharge\")
endif()")

set(CPACK_DEBIAN_PACKAGE_MAINTAINER "discharge developers") # no address yet: see lintian-overrides
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [[
A small desktop calculator with a Chinese (Simplified) interface for one
estimate: the yearly volume of water that an area's urban and rural
population uses and does not consume, that is, returns as wastewater.

Seven boxes take the daily water use of an urban and of a rural resident,
the days in the year, the urban and rural consumption rates and the two
populations; the window shows the yearly total divided by 1000. Numbers are
read leniently (blanks skipped, full-width digits accepted) and an overflow
is reported in a warning box. The program reads and writes no files.]])
