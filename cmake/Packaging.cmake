# What `cmake --install` puts where a Linux desktop looks for it, and the Debian package
# (`cpack -G DEB`), whose dependencies dpkg-shlibdeps reads from the installed programs.
set(LOTTO_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)

if(LOTTO_BUILD_GUI)
  install(FILES ${LOTTO_PACKAGING}/zerbosts-lotto.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${LOTTO_PACKAGING}/at.zerbost.lotto.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${LOTTO_PACKAGING}/zerbosts-lotto.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${LOTTO_PACKAGING}/icons/${size}x${size}/zerbosts-lotto.png
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
endif()
install(FILES ${LOTTO_PACKAGING}/lotto-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${LOTTO_PACKAGING}/lotto-cli.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME lotto-cli)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zerbosts-lotto)
set(CPACK_PACKAGE_VENDOR Zerbost)
set(CPACK_PACKAGE_CONTACT "Zerbosts Lotto <lotto@zerbost.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Tipps für Lotto 6 aus 45 berechnen, prüfen und drucken")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Tipps für Lotto 6 aus 45 berechnen, prüfen und drucken
 Ein Programm für Spieler des österreichischen Lotto 6 aus 45: Archiv der
 Ziehungen, Statistik, Tippberechnung, Gewinnbilanz und Druck auf den
 Lottoschein, im Fenster (lotto) und im Terminal (lotto-cli).")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so no library of the programs names them: the window's platform on
# X11/Wayland, the SVG icon, and German texts in Qt's own dialogs.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6svg6")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
include(CPack)
