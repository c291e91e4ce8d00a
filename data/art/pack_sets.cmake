# Packs the pictures that the artwork generators drew with imgpack: blob
# sets ("SET MODE ID ID ..."; the picture of an id is png/SET-ID.png) and
# planes ("plane ID"; png/plane-ID.png, stored raw).
#   cmake -DIMGPACK=... -DWORK=folder of packlist.txt -P pack_sets.cmake
file(STRINGS ${WORK}/packlist.txt lines)
foreach(line ${lines})
  string(REPLACE " " ";" words "${line}")
  list(POP_FRONT words set mode)
  if(set STREQUAL plane)
    execute_process(COMMAND ${IMGPACK} pln ${WORK}/sets/plane-${mode}.pln --raw ${WORK}/png/plane-${mode}.png
                    RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
      message(FATAL_ERROR "imgpack failed on plane ${mode}")
    endif()
    continue()
  endif()
  set(args)
  foreach(id ${words})
    list(APPEND args "${id}:${WORK}/png/${set}-${id}.png")
  endforeach()
  execute_process(COMMAND ${IMGPACK} blobset ${WORK}/sets/${set}.bst ${mode} ${args} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "imgpack failed on blob set ${set}")
  endif()
endforeach()
