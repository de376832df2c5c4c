# A Debian package of the installed tree: cpack -G DEB in the build folder. The libraries the
# programs link are found by dpkg-shlibdeps; the Qt plugins they load at run time are named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mapwright)
set(CPACK_PACKAGE_VENDOR Quillon)
set(CPACK_PACKAGE_CONTACT "Quillon <mapwright@quillon.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://quillon.example/mapwright)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "editor for HTML client-side image maps")
set(CPACK_PACKAGE_DESCRIPTION "Mapwright opens a picture (GIF, JPEG or PNG), lets you draw rectangles,
circles and polygons on it and give every area a link, an alternate text,
a target frame and two status-bar texts. It keeps the HTML page that binds
the picture to its areas as the master copy, in step with the drawing, and
leaves the rest of the page exactly as it was written.

This package also holds mapwright-cli, the editor's core for scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(MAPWRIGHT_GUI)
  # The SVG icon engine and image format, and the X11 and offscreen platform plugins.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6svg6, qt6-qpa-plugins")
  # The default browser is started through xdg-open; Wayland sessions need Qt's Wayland plugin.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, qt6-wayland")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CMAKE_SOURCE_DIR}/res/debian/postinst ${CMAKE_SOURCE_DIR}/res/debian/postrm)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()
include(CPack)
