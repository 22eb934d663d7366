# `cmake --install`: the programs into bin/, the desktop menu entry and the program icon.
include(GNUInstallDirs)

foreach(program plazor plazor-batch z_tandro)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET plazor)
  install(FILES ${PROJECT_SOURCE_DIR}/data/plazor.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/plazor.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
