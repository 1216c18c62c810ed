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
