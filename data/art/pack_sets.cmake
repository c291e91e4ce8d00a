# Packs the pictures that cardart drew into blob sets with imgpack, one set a
# line of the pack list ("SET MODE ID ID ..."; the picture of an id is
# png/SET-ID.png).
#   cmake -DIMGPACK=... -DWORK=folder of packlist.txt -P pack_sets.cmake
file(STRINGS ${WORK}/packlist.txt lines)
foreach(line ${lines})
  string(REPLACE " " ";" words "${line}")
  list(POP_FRONT words set mode)
  set(args)
  foreach(id ${words})
    list(APPEND args "${id}:${WORK}/png/${set}-${id}.png")
  endforeach()
  execute_process(COMMAND ${IMGPACK} blobset ${WORK}/sets/${set}.bst ${mode} ${args} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "imgpack failed on blob set ${set}")
  endif()
endforeach()
