# The Debian package: `cpack -G DEB` in a build folder makes tarvo_<version>_<arch>.deb from the
# install rules (packaging/CMakeLists.txt), installed under /usr.
#
# Its dependencies are what the program really loads: dpkg-shlibdeps reads the shared libraries
# the binary links (Qt 6 Widgets, Gui, Core and Charts, the C and C++ runtimes) and names the Debian
# packages that ship them, with their minimum versions. Nothing else is needed at run time: the
# X11 and offscreen platform plugins come with libqt6gui6, and a font comes with fontconfig,
# which libqt6gui6 depends on. tests/package checks the list against the binary.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvo)
set(CPACK_PACKAGE_VENDOR "Tarvo maintainers")
set(CPACK_PACKAGE_CONTACT "Tarvo maintainers <maintainers@users.noreply.c-seed-de4de932.example>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fuel and mileage logbook")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tarvo keeps a log of every stop at the pump (date and time, litres, odometer reading,
amount paid, filled up or not) and of every other expense on the car, in one CSV file. It shows
the log newest first with the distance and km/L of each fill-up and the price per litre, a
summary line, a statistics report and three reminder rows such as the next oil change.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# A package carries the program without its debugging information, as Debian's own do.
set(CPACK_STRIP_FILES ON)

include(CPack)
