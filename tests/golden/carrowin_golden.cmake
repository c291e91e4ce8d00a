# Runs a Carrowin program headless on a fresh device, takes a screenshot of
# its first deal and compares it pixel for pixel with the golden picture.
# With CARROWIN_UPDATE_GOLDEN=1 in the environment the golden picture is
# replaced instead (after a change to the artwork made on purpose).
#   cmake -DPROGRAM=... -DGOLDEN=... -DWORK=... -DSAME=... -P carrowin_golden.cmake
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
file(WRITE ${WORK}/script.txt "wait 1000\nscreenshot ${WORK}/actual.png\n")
execute_process(COMMAND ${PROGRAM} --headless --root ${WORK}/root --script ${WORK}/script.txt
                RESULT_VARIABLE run)
if(NOT run EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} ended with ${run}")
endif()
if("$ENV{CARROWIN_UPDATE_GOLDEN}" STREQUAL "1")
  file(COPY_FILE ${WORK}/actual.png ${GOLDEN})
  message(STATUS "updated ${GOLDEN}")
  return()
endif()
execute_process(COMMAND ${SAME} ${WORK}/actual.png ${GOLDEN} RESULT_VARIABLE same)
if(NOT same EQUAL 0)
  message(FATAL_ERROR "${WORK}/actual.png differs from ${GOLDEN} "
                      "(CARROWIN_UPDATE_GOLDEN=1 ctest -R carrowin_golden takes it as the new golden)")
endif()
