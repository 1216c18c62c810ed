# The program run as a hostile or unlucky user would: wrong arguments, folders
# where files belong, damaged inputs, a full disk, a damaged store. Each must
# end with the documented exit code (2 usage or bad scene, 1 a file could not
# be read or written) and a message naming the file or the option, and leave
# no half-written output behind.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/home" "${WORK}/folder")
file(WRITE "${WORK}/only-magic.amr" "#!AMR\n")
file(WRITE "${WORK}/chat.json" "{\"$mutableArray\": [\"一\", \"二\"]}")
file(WRITE "${WORK}/scene.json" "{}")

# expect(CODE TEXT ARGS...): runs qyshot with ARGS; the exit code must be CODE
# and standard error must contain TEXT.
function(expect code text)
  execute_process(COMMAND "${QYSHOT}" --home "${WORK}/home" ${ARGN}
    RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT result STREQUAL "${code}")
    message(SEND_ERROR "qyshot ${ARGN}: exit ${result}, expected ${code}\n${err}")
  endif()
  string(FIND "${err}" "${text}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "qyshot ${ARGN}: the message lacks \"${text}\":\n${err}")
  endif()
endfunction()

# Usage errors (these used to exit with CLI11's own 105, 106 and 109).
expect(2 "--bogus" --bogus)
expect(2 "required" render)
expect(2 "--seconds" record "${WORK}/x.amr" --seconds nan)
expect(2 "--seconds" record "${WORK}/x.amr" --seconds 1e9)
# Folders given as files (these used to abort).
expect(1 "${WORK}/folder is a folder, not a file" codec decode "${WORK}/folder")
expect(1 "${WORK}/folder is a folder, not a file" codec encode "${WORK}/folder" -o "${WORK}/out.bin")
expect(1 "${WORK}/folder is a folder, not a file" store import CHAT "${WORK}/folder")
expect(1 "${WORK}/folder is a folder, not a file" amr decode "${WORK}/folder" "${WORK}/out.wav")
expect(1 "cannot open ${WORK}/missing.amr" amr encode "${WORK}/missing.amr" "${WORK}/out.amr")
expect(2 "the scene file is a folder" render "${WORK}/folder" -o "${WORK}/out.png")
expect(1 "${WORK}/folder: it is a folder" codec encode "${WORK}/chat.json" -o "${WORK}/folder")
# An AMR file with no frames is nothing to decode, and nothing is written.
expect(1 "no frames" amr decode "${WORK}/only-magic.amr" "${WORK}/decoded.wav")
if(EXISTS "${WORK}/decoded.wav")
  message(SEND_ERROR "amr decode left a WAV for an AMR file without frames")
endif()

# A full disk (a 1 KB file size limit): the write fails loudly, the earlier
# file stays whole and no temporary file is left (these used to leave
# OUT.part, and a truncated .amr).
string(REPEAT "[\"一二三四五六七八九十\"]," 400 rows)
file(WRITE "${WORK}/big.json" "{\"$mutableArray\": [${rows} \"end\"]}")
file(WRITE "${WORK}/full/out.bin" "earlier")
execute_process(COMMAND bash -c "ulimit -f 1; trap '' XFSZ; exec \"$0\" codec encode \"$1\" -o \"$2\"" "${QYSHOT}"
    "${WORK}/big.json" "${WORK}/full/out.bin"
  RESULT_VARIABLE result ERROR_VARIABLE err)
file(READ "${WORK}/full/out.bin" kept)
file(GLOB left "${WORK}/full/*" "${WORK}/full/.*")
list(LENGTH left count)
if(NOT result EQUAL 1 OR NOT kept STREQUAL "earlier" OR NOT count EQUAL 1)
  message(SEND_ERROR "codec encode on a full disk: exit ${result}, kept \"${kept}\", files ${left}\n${err}")
endif()

# A store whose pages are damaged is moved aside, and the user is told.
execute_process(COMMAND "${QYSHOT}" --home "${WORK}/damaged" store import CHAT "${WORK}/big.json" RESULT_VARIABLE result)
file(SIZE "${WORK}/damaged/settings.sqlite" size)
math(EXPR middle "${size} / 2 / 4096 * 4096")
execute_process(COMMAND dd if=/dev/urandom of=${WORK}/damaged/settings.sqlite bs=1 seek=${middle} count=4096 conv=notrunc
  OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND "${QYSHOT}" --home "${WORK}/damaged" store keys RESULT_VARIABLE result OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(FIND "${err}" "moved it to ${WORK}/damaged/settings.sqlite.unreadable-" at)
if(at EQUAL -1 OR NOT out STREQUAL "")
  message(SEND_ERROR "a damaged store was not moved aside (exit ${result}):\n${out}\n${err}")
endif()

# A second program on a busy home folder is refused.
execute_process(COMMAND flock "${WORK}/home/.lock" "${QYSHOT}" --home "${WORK}/home" render "${WORK}/scene.json" -o "${WORK}/busy.png"
  RESULT_VARIABLE result ERROR_VARIABLE err)
string(FIND "${err}" "another qyshot is using the home folder" at)
if(NOT result EQUAL 1 OR at EQUAL -1)
  message(SEND_ERROR "a render on a busy home was not refused (exit ${result}): ${err}")
endif()

# A polite request to stop (SIGTERM) ends playback like Ctrl-C: it used to
# kill the program. 30 seconds of AMR frames, stopped after one.
string(REPEAT "<0123456789abcdefghijklmnopqrstu" 1500 frames)
file(WRITE "${WORK}/long.amr" "#!AMR\n${frames}")
execute_process(COMMAND bash -c "SDL_AUDIODRIVER=dummy \"$0\" play \"$1\" & p=$!; sleep 1; kill -TERM $p; wait $p" "${QYSHOT}" "${WORK}/long.amr"
  RESULT_VARIABLE result ERROR_VARIABLE err)
if(NOT result EQUAL 0)
  message(SEND_ERROR "play did not stop cleanly on SIGTERM (exit ${result}): ${err}")
endif()
