# `cpack -G DEB`: a Debian package of what cmake/Install.cmake installs. dpkg-shlibdeps derives
# Depends from the linked libraries (the Qt 6 ones among them); the plugins Qt loads at run time
# (the X11 platform plugin, the TIFF writer) are named by hand since no library links them.
set(CPACK_PACKAGE_NAME pictomine)
set(CPACK_PACKAGE_VENDOR "Pictomine")
set(CPACK_PACKAGE_CONTACT "Pictomine developers <maintainers@pictomine.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Desktop client for an online icon catalogue")
# Lines of the extended description stay within 80 columns, as Debian asks.
set(CPACK_PACKAGE_DESCRIPTION
    "Searches an online icon catalogue, shows the results as a grid of thumbnails
and saves icons as PNG, JPEG, BMP, TIFF, GIF, multi-size ICO, EMF or WMF files.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-liberation")
include(CPack)
