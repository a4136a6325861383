# Where the installed files go: the usual layout of GNUInstallDirs, with the
# programs' shared files (templates, hint.js, the sample catalog) in
# share/vantory. The programs find that directory relative to their own
# place, so that a staged or unpacked installation works as well.
include(GNUInstallDirs)
set(VANTORY_DATA_DIR "${CMAKE_INSTALL_DATADIR}/vantory")
file(RELATIVE_PATH VANTORY_DATA_FROM_BIN
    "${CMAKE_INSTALL_FULL_BINDIR}" "${CMAKE_INSTALL_FULL_DATADIR}/vantory")
# The name of the desktop entry, the AppStream component and the window's
# desktop file, from the homepage's domain.
set(VANTORY_APP_ID "com.example.vantory.Vantory")
