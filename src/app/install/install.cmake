# Installs the program with its help, read-me, desktop entry, icon and AppStream metadata.
include(GNUInstallDirs)
set(LEAFSTACK_DATA_DIR ${CMAKE_INSTALL_DATADIR}/leafstack)

set(LEAFSTACK_INSTALLED_PROGRAM ${CMAKE_INSTALL_FULL_BINDIR}/leafstack)
configure_file(${CMAKE_CURRENT_LIST_DIR}/leafstack.desktop.in
    ${CMAKE_CURRENT_BINARY_DIR}/leafstack.desktop @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/com.orvanel.Leafstack.metainfo.xml
    ${CMAKE_CURRENT_BINARY_DIR}/com.orvanel.Leafstack.metainfo.xml @ONLY)

install(TARGETS leafstack RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${LEAFSTACK_PROGRAM_FILES} DESTINATION ${LEAFSTACK_DATA_DIR})
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/leafstack.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../icons/leafstack.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/com.orvanel.Leafstack.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
