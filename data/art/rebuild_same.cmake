# Draws and packs artwork again into a scratch folder and checks that the
# database comes out byte for byte the same as the built one.
#   cmake -DGENERATOR=tool "-DINPUTS=a|b" -DIMGPACK=... -DPDBTOOL=...
#         -DPACK=pack_sets.cmake -DBUILT=built.pdb -DWORK=scratch -P rebuild_same.cmake
file(REMOVE_RECURSE ${WORK})
string(REPLACE "|" ";" inputs "${INPUTS}")
execute_process(COMMAND ${GENERATOR} ${inputs} ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${GENERATOR} failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -DIMGPACK=${IMGPACK} -DWORK=${WORK} -P ${PACK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "packing failed")
endif()
execute_process(COMMAND ${PDBTOOL} build ${WORK}/art.txt ${WORK}/again.pdb --search ${WORK} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "pdbtool failed")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${BUILT} ${WORK}/again.pdb RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the rebuilt database differs from ${BUILT}")
endif()
