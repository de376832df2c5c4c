# Our own SVG icons, compiled into the views library under the resource prefix /icons, so the
# editor and every GUI test that links the views find them as ":/icons/<name>.svg". Qt draws them
# through its SVG icon engine and image plugins (package libqt6svg6), loaded at run time.
set(MAPWRIGHT_ICON_NAMES
  new open save copy paste delete-area paste-to-pagewright hatch-areas drag-handles undo redo
  select zoom rectangle circle polygon test-in-browser about context-help
  tab-scroll-left tab-scroll-right browse zoom-cursor mapwright)
# zoom-cursor.svg is 32 x 32 pixels; its hot spot is pixel (13, 13), the centre of the lens.

set(MAPWRIGHT_ICON_FILES "")
foreach(icon_name ${MAPWRIGHT_ICON_NAMES})
  list(APPEND MAPWRIGHT_ICON_FILES res/icons/${icon_name}.svg)
endforeach()
qt_add_resources(mapwright_views "icons" PREFIX /icons BASE res/icons FILES ${MAPWRIGHT_ICON_FILES})

# Renders the icons to PNG for the icon theme and for looking at them.
add_executable(rendericons tools/rendericons.cpp)
target_link_libraries(rendericons PRIVATE Qt6::Gui Qt6::Svg)
