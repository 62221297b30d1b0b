# The Debian package: cpack -G DEB --config <build>/CPackConfig.cmake
# (scripts/package.sh). It installs what cmake --install does, under /usr.
# Its dependencies come from the binaries (dpkg-shlibdeps); only the Qt
# platform plugins, which nothing links, are named here.
set(CPACK_PACKAGE_NAME lumeno-kv580)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The lumeno-kv580 developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configuration utility of the Lumeno-KV580 Pro gaming mouse")
set(CPACK_PACKAGE_DESCRIPTION
    "Sets what the seven buttons of the Lumeno-KV580 Pro wired USB gaming mouse do,
records keyboard macros and binds them to buttons, sets DPI stages, polling
rate, sensitivity, lift-off distance and lighting, keeps six profiles, and
sets the desktop's pointer settings. It lives in the notification area and
tells when the mouse comes, goes or switches DPI stage.
.
The package also holds lumeno-virtual-mouse, a software model of the mouse
that serves it as a virtual HID device, so the program runs without the
hardware.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# The install steps see the prefix /usr and write under DESTDIR, so the rule
# and the autostart entry land where udev and the desktop read them.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The lumeno-kv580 developers <developers@lumeno.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://lumeno.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-wqy-microhei")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${PROJECT_SOURCE_DIR}/data/debian/postinst
    ${PROJECT_SOURCE_DIR}/data/debian/postrm
    ${PROJECT_SOURCE_DIR}/data/debian/conffiles)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
