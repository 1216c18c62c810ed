# Two separate qyshot processes share one home folder: the first composes a
# chat and leaves it with the back button, the second opens it again and must
# see the saved conversation, as must the store command.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(run_qyshot)
  execute_process(COMMAND "${QYSHOT}" --home "${WORK}/home" --album "${WORK}/album" ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "qyshot ${ARGN} failed (${result}): ${err}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
endfunction()

run_qyshot(render "${SCENES}/compose.json" -o "${WORK}/composed.png")
run_qyshot(store export CHAT)
foreach(text "第一条[微笑]" "第二条")
  string(FIND "${last_output}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the stored conversation lacks \"${text}\":\n${last_output}")
  endif()
endforeach()
run_qyshot(store export USERMODEL)
string(FIND "${last_output}" "李华" at)
if(at EQUAL -1)
  message(FATAL_ERROR "the stored participants lack the nickname:\n${last_output}")
endif()
run_qyshot(render "${SCENES}/reopen.json" -o "${WORK}/reopened.png")
file(READ "${WORK}/reopened.tree.json" tree)
foreach(text "第二条" "李华")
  string(FIND "${tree}" "${text}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the reopened chat does not show \"${text}\"")
  endif()
endforeach()
# The payment-app style never sees the messenger's conversation.
execute_process(COMMAND "${QYSHOT}" --home "${WORK}/home" store export CHATALI
  RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${out}" "第二条" at)
if(NOT at EQUAL -1)
  message(FATAL_ERROR "the payment-app style shares the messenger's conversation")
endif()
