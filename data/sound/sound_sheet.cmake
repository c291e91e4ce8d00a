# Renders every effect and song through the game's own mixer and players into
# WAV files for listening (songs for SONG_SECONDS, effects for one second).
#   cmake -DSOUNDPLAY=... -DOUT=folder -DFILES=list.txt -DSONG_SECONDS=40 -P sound_sheet.cmake
# (list.txt names one sound file a line)
file(MAKE_DIRECTORY ${OUT})
file(STRINGS ${FILES} files)
foreach(file ${files})
  get_filename_component(name ${file} NAME_WE)
  get_filename_component(ext ${file} EXT)
  set(seconds 1)
  if(ext STREQUAL ".s3m")
    set(seconds ${SONG_SECONDS})
  endif()
  execute_process(COMMAND ${SOUNDPLAY} --capture ${OUT}/${name}.wav ${file} ${seconds} RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "soundplay failed on ${file}")
  endif()
endforeach()
