# Demo scenes: JSON files copied next to the pictures, into scenes/, where
# `qyshot demo` finds them, with what they pick and record in scenes/media/:
# photos drawn as SVG (rendered at their own pixel size) and sound files.

# Renders each SVG given after `outputs` at its own pixel size into `folder` as name.png,
# adding the pictures to the list `outputs`.
function(qy_render_media folder outputs)
  set(pictures ${${outputs}})
  foreach(svg ${ARGN})
    get_filename_component(name "${svg}" NAME_WE)
    set(png "${folder}/${name}.png")
    add_custom_command(OUTPUT "${png}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${folder}"
      COMMAND ${QY_RSVG_CONVERT} --format=png --output "${png}" "${svg}"
      DEPENDS "${svg}" VERBATIM)
    list(APPEND pictures "${png}")
  endforeach()
  set(${outputs} ${pictures} PARENT_SCOPE)
endfunction()

file(GLOB QY_SCENE_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/*.json")
file(GLOB QY_SCENE_MEDIA_SVG CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/media/*.svg")
file(GLOB QY_SCENE_MEDIA_FILES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scenes/media/*.wav")

set(QY_SCENE_FILES "")
qy_copy_files("${QY_RESOURCE_DIR}/scenes" QY_SCENE_FILES ${QY_SCENE_SOURCES})
qy_copy_files("${QY_RESOURCE_DIR}/scenes/media" QY_SCENE_FILES ${QY_SCENE_MEDIA_FILES})
qy_render_media("${QY_RESOURCE_DIR}/scenes/media" QY_SCENE_FILES ${QY_SCENE_MEDIA_SVG})
# Chat scripts, with their own pictures in scripts/media/ (SVG rendered at
# their own pixel size), named by paths relative to the script, so they work
# wherever the resources folder is.
file(GLOB QY_SCRIPT_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scripts/*.yaml")
qy_copy_files("${QY_RESOURCE_DIR}/scripts" QY_SCENE_FILES ${QY_SCRIPT_SOURCES})
file(GLOB QY_SCRIPT_MEDIA_SVG CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/scripts/media/*.svg")
qy_render_media("${QY_RESOURCE_DIR}/scripts/media" QY_SCENE_FILES ${QY_SCRIPT_MEDIA_SVG})
add_custom_target(qy_scenes ALL DEPENDS ${QY_SCENE_FILES})
add_dependencies(qy_resources qy_scenes)
