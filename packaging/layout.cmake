# Where an installed copy's files go, below CMAKE_INSTALL_PREFIX. Named once here: the
# install rules use these names, and the program finds its window module from its own
# folder by the same two (LUMISCOPE_MODULE_FROM_PROGRAM), so any prefix works.
set(LUMISCOPE_INSTALL_BINDIR bin)
set(LUMISCOPE_INSTALL_MODULEDIR lib/lumiscope)
set(LUMISCOPE_INSTALL_MANDIR share/man/man1)
set(LUMISCOPE_INSTALL_APPLICATIONSDIR share/applications)
set(LUMISCOPE_INSTALL_ICONDIR share/icons/hicolor/32x32/apps)
set(LUMISCOPE_INSTALL_USERUNITDIR lib/systemd/user)
set(LUMISCOPE_INSTALL_DOCDIR share/doc)
file(RELATIVE_PATH LUMISCOPE_MODULE_FROM_PROGRAM /${LUMISCOPE_INSTALL_BINDIR} /${LUMISCOPE_INSTALL_MODULEDIR})
