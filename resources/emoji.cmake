# Emoji pictures, drawn at build time from the colour emoji font into the file
# names the emoji tables (data/Emotion.plist, data/BaseEmotion.plist) use.
# The list of emoji is written together with the tables by tools/make_emoji_tables.py.

set(QY_EMOJI_TOOL_DIR "${CMAKE_SOURCE_DIR}/tools/emoji-render")
set(QY_EMOJI_LIST "${QY_EMOJI_TOOL_DIR}/emoji-list.txt")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${QY_EMOJI_LIST}")

add_executable(qy_emoji_render "${QY_EMOJI_TOOL_DIR}/main.cpp")
target_link_libraries(qy_emoji_render PRIVATE QY::pango QY::cairo)

set(QY_EMOJI_PICTURES "")
file(STRINGS "${QY_EMOJI_LIST}" QY_EMOJI_LINES REGEX "^[0-9]+ ")
foreach(line ${QY_EMOJI_LINES})
  string(REGEX MATCH "^[0-9]+" n "${line}")
  foreach(name "Emotion_${n}@2x" "${n}" "${n}@2x" "${n}@3x")
    list(APPEND QY_EMOJI_PICTURES "${QY_RESOURCE_DIR}/${name}.png")
  endforeach()
endforeach()

add_custom_command(
  OUTPUT ${QY_EMOJI_PICTURES}
  COMMAND ${CMAKE_COMMAND} -E make_directory "${QY_RESOURCE_DIR}"
  COMMAND qy_emoji_render "${QY_EMOJI_LIST}" "${QY_RESOURCE_DIR}"
  DEPENDS qy_emoji_render "${QY_EMOJI_LIST}"
  COMMENT "Rendering the emoji pictures"
  VERBATIM)
add_custom_target(qy_emoji_pictures DEPENDS ${QY_EMOJI_PICTURES})
add_dependencies(qy_resources qy_emoji_pictures)
