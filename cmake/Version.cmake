# The version and the homepage are defined once, in project(), and the contact address here. The
# program reads them from a generated header, so the About box always agrees with the Debian package
# and the AppStream metadata, which take them from the same variables (cmake/Packaging.cmake).
set(VELMORA_EMAIL velmora@example.org)
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in ${CMAKE_BINARY_DIR}/generated/velmora_version.h @ONLY)
target_include_directories(velmora_core PUBLIC ${CMAKE_BINARY_DIR}/generated)
