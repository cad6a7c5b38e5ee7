# Installation rules and the Debian package (cpack -G DEB). Build with
# CMAKE_INSTALL_PREFIX=/usr for the package (scripts/package does): the
# programs look for their shipped files in <prefix>/share/vell3.
include(GNUInstallDirs)

set(VELL3_PACKAGE_ID example.ambervale.Vell3)
set(VELL3_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(VELL3_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS vell3 vell3-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# The shipped files, from the folder where the build puts them beside the
# executables. The report definitions come with the report core; until then
# the rule installs them when the build made them.
set(VELL3_SHIPPED_DIR ${CMAKE_INSTALL_DATADIR}/vell3)
install(FILES ${VELL3_PROGRAM_DIR}/Vell3.html ${VELL3_PROGRAM_DIR}/bcapp.emf
        DESTINATION ${VELL3_SHIPPED_DIR})
install(FILES ${VELL3_PROGRAM_DIR}/Vell3.rav DESTINATION ${VELL3_SHIPPED_DIR})

# Desktop integration.
install(FILES ${VELL3_PACKAGING_DIR}/${VELL3_PACKAGE_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELL3_PACKAGING_DIR}/vell3.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
configure_file(${VELL3_PACKAGING_DIR}/${VELL3_PACKAGE_ID}.metainfo.xml
               ${VELL3_GENERATED_DIR}/${VELL3_PACKAGE_ID}.metainfo.xml @ONLY)
install(FILES ${VELL3_GENERATED_DIR}/${VELL3_PACKAGE_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Documentation: the copyright file and the changelog Debian asks for, and a
# manual page for each program made from its own --help and --version, so
# that the pages never drift from the code.
set(VELL3_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/vell3)
install(FILES ${VELL3_PACKAGING_DIR}/copyright DESTINATION ${VELL3_DOC_DIR})
configure_file(${VELL3_PACKAGING_DIR}/changelog ${VELL3_GENERATED_DIR}/changelog @ONLY)
find_program(GZIP_EXECUTABLE gzip REQUIRED)
add_custom_command(
    OUTPUT ${VELL3_GENERATED_DIR}/changelog.gz
    COMMAND ${GZIP_EXECUTABLE} -9nc ${VELL3_GENERATED_DIR}/changelog > ${VELL3_GENERATED_DIR}/changelog.gz
    DEPENDS ${VELL3_GENERATED_DIR}/changelog
    COMMENT "Compressing the changelog"
)
set(VELL3_DOC_OUTPUTS ${VELL3_GENERATED_DIR}/changelog.gz)
install(FILES ${VELL3_GENERATED_DIR}/changelog.gz DESTINATION ${VELL3_DOC_DIR})

find_program(HELP2MAN_EXECUTABLE help2man)
if(HELP2MAN_EXECUTABLE)
    set(VELL3_MAN_NAME_vell3 "print USPS certified mailers and keep their mailing log")
    set(VELL3_MAN_NAME_vell3-cli "print certified mailers and work with their tables without a window")
    foreach(program vell3 vell3-cli)
        set(page ${VELL3_GENERATED_DIR}/${program}.1)
        add_custom_command(
            OUTPUT ${page}.gz
            COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
                    ${HELP2MAN_EXECUTABLE} --no-info --section=1
                    "--name=${VELL3_MAN_NAME_${program}}" --output=${page}
                    $<TARGET_FILE:${program}>
            COMMAND ${GZIP_EXECUTABLE} -9nf ${page}
            DEPENDS ${program}
            COMMENT "Writing the manual page of ${program}"
        )
        list(APPEND VELL3_DOC_OUTPUTS ${page}.gz)
        install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
else()
    message(WARNING "help2man missing: the manual pages are not made")
endif()
add_custom_target(vell3_package_docs ALL DEPENDS ${VELL3_DOC_OUTPUTS})

# The Debian package.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vell3)
set(CPACK_PACKAGE_VENDOR "Ambervale Software")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "print USPS certified mailers and keep their mailing log")
set(CPACK_PACKAGE_DESCRIPTION
    "Vell3 Certified Mail prepares one USPS certified mailer at a time and prints\n"
    "it onto pre-printed certified-mail forms on an ordinary page printer, with the\n"
    "POSTNET bar codes of both ZIP codes and the label number as Code 128 bar\n"
    "codes. Every printed mailer is kept in a mailing log (a dBASE table) with\n"
    "reports. Recipients come from address databases and text files. The\n"
    "headless tool vell3-cli does the same work from scripts.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Ambervale Software <support@ambervale.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.ambervale.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The printout's fonts and the Qt platform plugins a window needs; the
# libraries themselves come from dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ocr-a, fonts-liberation2, qt6-qpa-plugins")
include(CPack)
