# The Debian package of everything `cmake --install` installs, made by scripts/package:
# build/package/skirmish_<version>_<arch>.deb. dpkg-shlibdeps finds the runtime libraries the
# programs link (SDL2, Qt 6 widgets and OpenGL, OpenAL, libjpeg, zlib, libpng, GLU and the GL
# dispatch) and states them as the package's dependencies.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME skirmish)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tarvolen team")
set(CPACK_PACKAGE_CONTACT "The Tarvolen team")
set(CPACK_PACKAGE_HOMEPAGE_URL ${PROJECT_HOMEPAGE_URL})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "3D tower-defence game with its map editor")
set(CPACK_PACKAGE_DESCRIPTION
    "Skirmish: forty bugs run across a valley to the player's base; rocket, laser and gatling\ntowers, bought with the money each kill pays, aim and fire by themselves.\nAtlas: the map editor for the game's world, with its catalogues and packages.\nAlso the tools assetgen, assetinfo, assetview and qzp for the data.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# SDL opens libGL while the game starts, where dpkg-shlibdeps cannot see it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1")
# Without a hardware driver Mesa's software renderer draws both programs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libgl1-mesa-dri")
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)
