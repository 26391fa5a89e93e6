# The Debian package (make deb) and what a software centre and lintian read from it: AppStream
# metadata, a manual page, the changelog and the copyright file. The version comes from project().

set(VELMORA_APP_ID org.example.velmora)
set(VELMORA_RELEASE_DATE 2026-12-09)
execute_process(COMMAND date -u -R -d ${VELMORA_RELEASE_DATE}
  OUTPUT_VARIABLE VELMORA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)

set(VELMORA_PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
# The metainfo file sits beside a copy of the desktop entry in a tree laid out as installed, so that
# the validation also checks that the entry it launches exists under the name it gives.
set(VELMORA_APPSTREAM_TREE ${VELMORA_PACKAGING_DIR}/appstream-tree)
set(VELMORA_METAINFO ${VELMORA_APPSTREAM_TREE}/usr/share/metainfo/${VELMORA_APP_ID}.metainfo.xml)
configure_file(packaging/${VELMORA_APP_ID}.metainfo.xml.in ${VELMORA_METAINFO} @ONLY)
configure_file(packaging/${VELMORA_APP_ID}.desktop ${VELMORA_APPSTREAM_TREE}/usr/share/applications/${VELMORA_APP_ID}.desktop
  COPYONLY)
configure_file(packaging/copyright.in ${VELMORA_PACKAGING_DIR}/copyright @ONLY)
configure_file(packaging/changelog.in ${VELMORA_PACKAGING_DIR}/changelog @ONLY)
foreach(page velmora velmora-thumbnailer)
  configure_file(packaging/${page}.1.in ${VELMORA_PACKAGING_DIR}/${page}.1 @ONLY)
endforeach()

# Debian wants the changelog and the manual page compressed at the highest level and without a
# timestamp (-n), so that the same sources give the same package.
set(VELMORA_COMPRESSED_DOCS)
foreach(doc changelog velmora.1 velmora-thumbnailer.1)
  add_custom_command(OUTPUT ${VELMORA_PACKAGING_DIR}/${doc}.gz
    COMMAND gzip -9 -n -c ${VELMORA_PACKAGING_DIR}/${doc} > ${VELMORA_PACKAGING_DIR}/${doc}.gz
    DEPENDS ${VELMORA_PACKAGING_DIR}/${doc} VERBATIM)
  list(APPEND VELMORA_COMPRESSED_DOCS ${VELMORA_PACKAGING_DIR}/${doc}.gz)
endforeach()
add_custom_target(velmora_docs ALL DEPENDS ${VELMORA_COMPRESSED_DOCS})
if(TARGET velmora)
  add_dependencies(velmora velmora_docs)
endif()

install(FILES ${VELMORA_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${VELMORA_PACKAGING_DIR}/velmora.1.gz ${VELMORA_PACKAGING_DIR}/velmora-thumbnailer.1.gz
  DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VELMORA_PACKAGING_DIR}/copyright ${VELMORA_PACKAGING_DIR}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velmora)

find_program(VELMORA_APPSTREAMCLI appstreamcli)
if(NOT VELMORA_APPSTREAMCLI)
  # Still a test, so that a machine without appstream fails it rather than skips it.
  set(VELMORA_APPSTREAMCLI appstreamcli)
endif()
# --no-net: the screenshot and homepage addresses are checked for form, not fetched. A hint at any
# level, pedantic ones included, fails the test, not only errors.
add_test(NAME appstream_metainfo
  COMMAND ${VELMORA_APPSTREAMCLI} validate-tree --pedantic --no-net --no-color ${VELMORA_APPSTREAM_TREE})
set_tests_properties(appstream_metainfo PROPERTIES PASS_REGULAR_EXPRESSION "Validation was successful\\.")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <${VELMORA_EMAIL}>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for small black-and-white WBMP images")
set(CPACK_PACKAGE_DESCRIPTION [=[
Velmora is a small desktop editor for monochrome pictures in the Wireless
Bitmap format (WBMP, type 0, one bit per pixel) of up to 96 by 80 pixels,
with a pen, fill, lines, rectangles, ellipses and round rectangles,
undo, invert, flip and mirror, and clipboard exchange with other
programs. It is written with Qt 6 Widgets.]=])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Qt platform plugin for Wayland, so the editor runs natively on a Wayland desktop.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-wayland)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
