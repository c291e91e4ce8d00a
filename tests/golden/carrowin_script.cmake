# Runs a Carrowin program headless on a fresh device through SCRIPT (whose
# "dump" commands write to @WORK@/...), then requires every line of EXPECT
# (regular expressions) to match the dump file DUMP.
#   cmake -DPROGRAM=... -DSCRIPT=... -DWORK=... -DDUMP=... -DEXPECT=... -P carrowin_script.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
configure_file(${SCRIPT} ${WORK}/script.txt @ONLY)
execute_process(COMMAND ${PROGRAM} --headless --root ${WORK}/root --script ${WORK}/script.txt RESULT_VARIABLE run)
if(NOT run EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${run}")
endif()
file(READ ${WORK}/${DUMP} dump)
file(STRINGS ${EXPECT} patterns)
foreach(pattern ${patterns})
  if(NOT dump MATCHES "${pattern}")
    message(FATAL_ERROR "${WORK}/${DUMP} has nothing matching '${pattern}':\n${dump}")
  endif()
endforeach()
