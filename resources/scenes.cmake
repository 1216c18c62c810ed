# Demo scenes: JSON files copied next to the pictures, into scenes/, where
# `qyshot demo` finds them.
file(GLOB QY_SCENE_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/*.json")
set(QY_SCENE_FILES "")
foreach(src ${QY_SCENE_SOURCES})
  get_filename_component(name "${src}" NAME)
  set(dst "${QY_RESOURCE_DIR}/scenes/${name}")
  add_custom_command(OUTPUT "${dst}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${QY_RESOURCE_DIR}/scenes"
    COMMAND ${CMAKE_COMMAND} -E copy "${src}" "${dst}"
    DEPENDS "${src}" VERBATIM)
  list(APPEND QY_SCENE_FILES "${dst}")
endforeach()
add_custom_target(qy_scenes ALL DEPENDS ${QY_SCENE_FILES})
add_dependencies(qy_resources qy_scenes)

# What the scenes pick and record: photos drawn as SVG (rendered at their own
# pixel size) and sound files, next to the scenes in scenes/media/.
file(GLOB QY_SCENE_MEDIA_SVG CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/media/*.svg")
file(GLOB QY_SCENE_MEDIA_FILES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/media/*.wav")
set(QY_SCENE_MEDIA "")
foreach(svg ${QY_SCENE_MEDIA_SVG})
  get_filename_component(name "${svg}" NAME_WE)
  set(png "${QY_RESOURCE_DIR}/scenes/media/${name}.png")
  add_custom_command(OUTPUT "${png}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${QY_RESOURCE_DIR}/scenes/media"
    COMMAND ${QY_RSVG_CONVERT} --format=png --output "${png}" "${svg}"
    DEPENDS "${svg}" VERBATIM)
  list(APPEND QY_SCENE_MEDIA "${png}")
endforeach()
foreach(src ${QY_SCENE_MEDIA_FILES})
  get_filename_component(name "${src}" NAME)
  set(dst "${QY_RESOURCE_DIR}/scenes/media/${name}")
  add_custom_command(OUTPUT "${dst}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${QY_RESOURCE_DIR}/scenes/media"
    COMMAND ${CMAKE_COMMAND} -E copy "${src}" "${dst}"
    DEPENDS "${src}" VERBATIM)
  list(APPEND QY_SCENE_MEDIA "${dst}")
endforeach()
add_custom_target(qy_scene_media ALL DEPENDS ${QY_SCENE_MEDIA})
add_dependencies(qy_resources qy_scene_media)
