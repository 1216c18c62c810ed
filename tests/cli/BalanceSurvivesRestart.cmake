# Two separate qyshot processes share one home folder: the first fills in the
# balance page (names, amounts, avatar), the second opens it again and must
# show all of it, the avatar read back from its picture file.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
# The scenes pick a picture lying beside them.
file(COPY "${SCENES}/balance-fill.json" "${SCENES}/balance-reopen.json" DESTINATION "${WORK}")
file(COPY_FILE "$ENV{QYSHOT_RESOURCES}/scenes/media/avatar-hua.png" "${WORK}/avatar.png")

function(run_qyshot)
  execute_process(COMMAND "${QYSHOT}" --home "${WORK}/home" --album "${WORK}/album" ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "qyshot ${ARGN} failed (${result}): ${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run_qyshot(render "${WORK}/balance-fill.json" -o "${WORK}/filled.png")
set(avatar "${WORK}/home/Documents/userImgeBLANCEUSERIMAGE")
if(NOT EXISTS "${avatar}")
  message(FATAL_ERROR "the avatar picture file was not written")
endif()
run_qyshot(store export BLANCE)
foreach(text "阿华" "13800138000" "1,234.50" "1,000.00" "userImgeBLANCEUSERIMAGE")
  string(FIND "${last_output}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the stored balance record lacks \"${text}\":\n${last_output}")
  endif()
endforeach()

run_qyshot(render "${WORK}/balance-reopen.json" -o "${WORK}/reopened.png")
file(READ "${WORK}/balance-reopened.tree.json" tree)
foreach(text "阿华" "13800138000" "1,234.50" "1,000.00")
  string(FIND "${tree}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the reopened balance page does not show \"${text}\"")
  endif()
endforeach()
# The default picture would name itself; the saved avatar is a decoded file.
string(FIND "${tree}" "QYAvatar.png" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the reopened balance page shows the default avatar")
endif()
