# Demo scenes: JSON files copied next to the pictures, into scenes/, where
# `qyshot demo` finds them, with what they pick and record in scenes/media/:
# photos drawn as SVG (rendered at their own pixel size) and sound files.

file(GLOB QY_SCENE_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/*.json")
file(GLOB QY_SCENE_MEDIA_SVG CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/media/*.svg")
file(GLOB QY_SCENE_MEDIA_FILES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/media/*.wav")

set(QY_SCENE_FILES "")
qy_copy_files("${QY_RESOURCE_DIR}/scenes" QY_SCENE_FILES ${QY_SCENE_SOURCES})
qy_copy_files("${QY_RESOURCE_DIR}/scenes/media" QY_SCENE_FILES ${QY_SCENE_MEDIA_FILES})
foreach(svg ${QY_SCENE_MEDIA_SVG})
  get_filename_component(name "${svg}" NAME_WE)
  set(png "${QY_RESOURCE_DIR}/scenes/media/${name}.png")
  add_custom_command(OUTPUT "${png}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${QY_RESOURCE_DIR}/scenes/media"
    COMMAND ${QY_RSVG_CONVERT} --format=png --output "${png}" "${svg}"
    DEPENDS "${svg}" VERBATIM)
  list(APPEND QY_SCENE_FILES "${png}")
endforeach()
# Chat scripts, with their own pictures in scripts/media/ (SVG rendered at
# their own pixel size), named by paths relative to the script, so they work
# wherever the resources folder is.
file(GLOB QY_SCRIPT_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scripts/*.yaml")
qy_copy_files("${QY_RESOURCE_DIR}/scripts" QY_SCENE_FILES ${QY_SCRIPT_SOURCES})
file(GLOB QY_SCRIPT_MEDIA_SVG CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scripts/media/*.svg")
foreach(svg ${QY_SCRIPT_MEDIA_SVG})
  get_filename_component(name "${svg}" NAME_WE)
  set(png "${QY_RESOURCE_DIR}/scripts/media/${name}.png")
  add_custom_command(OUTPUT "${png}"
    COMMAND ${CMAKE_COMMAND} -E make_directory "${QY_RESOURCE_DIR}/scripts/media"
    COMMAND ${QY_RSVG_CONVERT} --format=png --output "${png}" "${svg}"
    DEPENDS "${svg}" VERBATIM)
  list(APPEND QY_SCENE_FILES "${png}")
endforeach()
add_custom_target(qy_scenes ALL DEPENDS ${QY_SCENE_FILES})
add_dependencies(qy_resources qy_scenes)
