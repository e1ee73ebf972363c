# cmake --install: the program and the demo tool in bin/, the desktop entry and icon where
# desktops look for them, and the demo's laboratory export where lab2siv-demo finds it
# (PREFIX/share/lab2siv/demo-lab). The help pages are compiled into the program.
include(GNUInstallDirs)
install(TARGETS lab2siv lab2siv-demo RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The keys' collation for other SQLite tools (sqlite3 -cmd '.load PREFIX/lib/lab2siv/liblab2siv_sqlite').
if(TARGET lab2siv_sqlite)
  install(TARGETS lab2siv_sqlite LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/lab2siv)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/lab2siv.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/data/lab2siv.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo-data/lab/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lab2siv/demo-lab)
