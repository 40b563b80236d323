# What a desktop and Debian want beside the program, each made from the one place that holds it:
# the manual page and the AppStream metadata carry the version and the date of its release in
# CHANGELOG.md, the Debian changelog is made from CHANGELOG.md, and the copyright file from
# LICENSE. Debian wants manual pages and changelogs compressed, without a time stamp.

set(changelog ${PROJECT_SOURCE_DIR}/CHANGELOG.md)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${changelog}
             ${PROJECT_SOURCE_DIR}/LICENSE)

# The newest release must be this version: its date goes into the manual page and the metadata.
file(STRINGS ${changelog} newest REGEX "^## " LIMIT_COUNT 1)
if(NOT newest MATCHES "^## ([^ ]+) \\(([0-9]+-[0-9]+-[0-9]+)\\)$"
   OR NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "CHANGELOG.md's newest release (${newest}) is not ${PROJECT_VERSION}")
endif()
set(KIVO_RELEASE_DATE ${CMAKE_MATCH_2})

set(out ${PROJECT_BINARY_DIR}/packaging)
configure_file(${PROJECT_SOURCE_DIR}/packaging/kivo32.1.in ${out}/kivo32.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/kivo32.metainfo.xml.in
               ${out}/${KIVO_APPSTREAM_ID}.metainfo.xml @ONLY)

# Debian's machine-readable copyright format: the licence's text indented by one blank, with
# " ." for its empty lines.
file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
if(NOT licence MATCHES "Copyright \\(c\\) ([^\n]+)\n+(.*[^\n])\n*$")
    message(FATAL_ERROR "LICENSE has no \"Copyright (c)\" line followed by the licence")
endif()
set(holders ${CMAKE_MATCH_1})
string(REPLACE "\n\n" "\n.\n" terms "${CMAKE_MATCH_2}")
string(REPLACE "\n" "\n " terms "${terms}")
file(CONFIGURE OUTPUT ${out}/copyright CONTENT
"Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/
Upstream-Name: KIVO/32
Upstream-Contact: ${CPACK_PACKAGE_CONTACT}

Files: *
Copyright: ${holders}
License: Expat
 ${terms}
")

find_program(GZIP gzip REQUIRED)
add_custom_command(
    OUTPUT ${out}/changelog.Debian
    COMMAND sh ${PROJECT_SOURCE_DIR}/packaging/debian-changelog.sh ${changelog}
            ${CPACK_PACKAGE_NAME} ${CPACK_DEBIAN_PACKAGE_RELEASE} ${CPACK_PACKAGE_CONTACT}
            ${out}/changelog.Debian
    DEPENDS ${changelog} ${PROJECT_SOURCE_DIR}/packaging/debian-changelog.sh
    VERBATIM)
set(compressed)
foreach(pair "kivo32.1;${out}/kivo32.1" "changelog.Debian;${out}/changelog.Debian"
             "changelog;${changelog}")
    list(GET pair 0 name)
    list(GET pair 1 source)
    add_custom_command(
        OUTPUT ${out}/${name}.gz
        COMMAND ${GZIP} -9n --stdout ${source} > ${out}/${name}.gz
        DEPENDS ${source})
    list(APPEND compressed ${out}/${name}.gz)
endforeach()
add_custom_target(release_files ALL DEPENDS ${compressed})

install(FILES ${out}/kivo32.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${out}/${KIVO_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${out}/copyright ${out}/changelog.Debian.gz ${out}/changelog.gz
        DESTINATION ${KIVO_DOCDIR})
