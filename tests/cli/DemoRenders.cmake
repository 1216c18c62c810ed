# The demo is the program's main job: every bundled scene and script plays to
# its end, and each money page is reached by taps on a @2x and a @3x phone.
file(REMOVE_RECURSE "${WORK}")
execute_process(COMMAND "${QYSHOT}" demo -o "${WORK}" RESULT_VARIABLE result ERROR_VARIABLE err OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "qyshot demo exited with ${result}:\n${err}")
endif()
foreach(device iphone6 iphone6plus)
  foreach(page transfer-detail opened-messenger collected-messenger opened-payment
               bill-incoming bill-more bill-outgoing edit-nickname)
    if(NOT EXISTS "${WORK}/money-${page}-${device}.png")
      message(SEND_ERROR "the demo did not reach money-${page}-${device}.png")
    endif()
  endforeach()
endforeach()
