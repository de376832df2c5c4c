# Installing: the two programs, the desktop entry with its icons and metainfo, the user manual and
# the manual pages, where a Linux desktop looks for them. `cpack -G DEB` packages the same tree.
include(GNUInstallDirs)
set(MAPWRIGHT_APP_ID io.github.quillon.Mapwright)
# The editor's Help Topics finds the manual here, relative to the installed prefix.
set(MAPWRIGHT_MANUAL_DIR ${CMAKE_INSTALL_DATADIR}/mapwright)

install(TARGETS mapwright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# Manual pages, compressed without a name or time stamp, as Debian keeps them.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(man_page_names mapwright-cli)
if(MAPWRIGHT_GUI)
  list(APPEND man_page_names mapwright)
endif()
set(compressed_man_pages "")
foreach(page ${man_page_names})
  set(compressed ${CMAKE_BINARY_DIR}/man/${page}.1.gz)
  add_custom_command(OUTPUT ${compressed}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/doc/${page}.1 ${CMAKE_BINARY_DIR}/man/${page}.1
    COMMAND ${GZIP_PROGRAM} -9nf ${CMAKE_BINARY_DIR}/man/${page}.1
    DEPENDS ${CMAKE_SOURCE_DIR}/doc/${page}.1
    VERBATIM)
  list(APPEND compressed_man_pages ${compressed})
endforeach()
add_custom_target(man_pages ALL DEPENDS ${compressed_man_pages})
install(FILES ${compressed_man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

if(MAPWRIGHT_GUI)
  install(TARGETS mapwright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES res/${MAPWRIGHT_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES res/${MAPWRIGHT_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The application icon: the SVG itself, and PNG renderings of it at the theme's fixed sizes.
  set(hicolor_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
  install(FILES res/icons/mapwright.svg DESTINATION ${hicolor_dir}/scalable/apps
    RENAME ${MAPWRIGHT_APP_ID}.svg)
  set(rendered_icons "")
  foreach(size 16 22 24 32 48 64 128 256)
    set(rendered ${CMAKE_BINARY_DIR}/icons/${size}x${size}/${MAPWRIGHT_APP_ID}.png)
    add_custom_command(OUTPUT ${rendered}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
      COMMAND rendericons ${CMAKE_SOURCE_DIR}/res/icons/mapwright.svg ${size} ${rendered}
      DEPENDS rendericons ${CMAKE_SOURCE_DIR}/res/icons/mapwright.svg
      VERBATIM)
    list(APPEND rendered_icons ${rendered})
    install(FILES ${rendered} DESTINATION ${hicolor_dir}/${size}x${size}/apps)
  endforeach()
  add_custom_target(application_icons ALL DEPENDS ${rendered_icons})

  # The user manual, one page with its pictures.
  install(FILES doc/manual.html DESTINATION ${MAPWRIGHT_MANUAL_DIR})
  install(DIRECTORY doc/images DESTINATION ${MAPWRIGHT_MANUAL_DIR} FILES_MATCHING PATTERN "*.png")
endif()
