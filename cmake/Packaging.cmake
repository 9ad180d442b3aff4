# Installation layout and the Debian package (cpack -G DEB from the build folder). The package holds the
# program, its help page, the menu entry, the icon and the software-centre description; never a database:
# every school keeps its own, named in the settings (see README).
include(GNUInstallDirs)

set(LORVANTO_APP_ID hu.lorvanto.Lorvanto)
set(LORVANTO_PACKAGE_MAINTAINER "A Lorvanto fejlesztői <lorvanto@localhost>"
    CACHE STRING "The Maintainer field of the Debian package")

install(TARGETS lorvanto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The program looks for its help page in share/lorvanto beside its bin folder.
install(FILES resources/lorvanto.html DESTINATION ${CMAKE_INSTALL_DATADIR}/lorvanto)
install(FILES resources/${LORVANTO_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES resources/${LORVANTO_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES resources/${LORVANTO_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lorvanto)
set(CPACK_PACKAGE_VENDOR Lorvanto)
set(CPACK_PACKAGE_CONTACT "${LORVANTO_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Szöveges értékelés általános iskoláknak")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Az osztályfőnökök a közös mondatbankból írják meg a tanulók szöveges értékelését, az iskola a "
    "hivatalos, sorszámozott bizonyítvány- és törzslapnyomtatványokra nyomtatja. Az adatbázist az iskola "
    "maga tartja, a csomag nem tartalmaz adatbázist.")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LORVANTO_PACKAGE_MAINTAINER}")
# The libraries the program links come from dpkg-shlibdeps; what it only loads at run time is named here:
# the print font (Arial metrics, Hungarian accents) and Qt's own texts in Hungarian.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, qt6-translations-l10n")
# The Hungarian dictionary of the spelling check; without it the editor works and says spelling is off.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-hu")
include(CPack)
