# The Debian package, built by CPack (scripts/package): revuro_<version>_<arch>.deb, installing
# under /usr what `cmake --install` installs, plus the package's own documents.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME revuro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGE_VENDOR "Revuro developers")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Revuro developers <feedback@revuro.example.org>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://revuro.example.org/")
set(CPACK_DEBIAN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "screen saver that plays your own movies, music and pictures")
# CPack puts the summary above it as the first line.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Revuro plays a list of your own media files full screen: movies above all,
also music, Flash animations and pictures. Files that cannot be played are
skipped with a short note on screen.
.
Each user makes a list of their own in Revuro's configuration dialog, which
also tries the files out and chooses looping and random order. Revuro runs
as an xscreensaver display mode: the command revuro --xscreensaver-setup
adds it to a user's list of xscreensaver display modes.")
# The libraries the program links, as dpkg-shlibdeps finds them; the Chinese texts want a font
# that holds them, Qt's own buttons their translation, and the about box's links an opener.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "fonts-arphic-uming | fonts-wqy-microhei, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS xscreensaver)
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_SOURCE_DIR}/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# Only the package carries these: its copyright and its changelog, where Debian keeps them.
set(CHANGELOG ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz)
add_custom_command(
    OUTPUT ${CHANGELOG}
    COMMAND gzip -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/changelog > ${CHANGELOG}
    DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/changelog
    COMMENT "Compressing the package's changelog")
add_custom_target(revuro_changelog ALL DEPENDS ${CHANGELOG})
install(FILES copyright ${CHANGELOG} DESTINATION share/doc/revuro
        COMPONENT package EXCLUDE_FROM_ALL)
set(CPACK_COMPONENTS_ALL Unspecified package)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)

include(CPack)
