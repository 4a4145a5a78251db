# `cpack -G DEB`: one Debian package of the installed tree below /usr, its dependencies found
# by dpkg-shlibdeps from the libraries the program and its modules link.
set(CPACK_PACKAGE_NAME ${TEV_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer for a calendar on web pages")
set(CPACK_PACKAGE_DESCRIPTION
    "Quorvane Web Calendar designs a calendar for web pages: pick a style, set its\n"
    "properties, enter the events (recurring ones included), watch the live preview,\n"
    "save the project and publish it to a web server over FTP. The designer library\n"
    "with its headers lets other programs design a component through its wizard.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Quorvane <support@quorvane.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quorvane.example/web-calendar")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own texts (OK, Cancel) in the user's language.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS wx3.2-i18n)
# The private libraries are found beside one another, not in the system's library path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/_CPack_Packages/Linux/DEB/${TEV_PACKAGE_NAME}-${PROJECT_VERSION}-Linux/usr/${TEV_INSTALL_MODULEDIR})
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_GENERATOR DEB)
include(CPack)
