# scripts/package turns an install into a Debian package; its dependencies are read from the binaries.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME sono)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Sono developers <sono@sonoproject.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "keep audio frequency sets and play them as timed programs")
# CPack puts the summary first and indents these lines itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Sono keeps a database of named frequency sets (a description, comments and up
to forty frequencies each), finds them by letter, text or frequency, turns
chosen sets into a program of timed steps, reshapes it and plays it through
the sound card with its own tone generator, freqgen.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://sonoproject.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Web links and reports are opened through the desktop's own programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
