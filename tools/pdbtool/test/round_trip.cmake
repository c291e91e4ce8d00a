# Builds a database from sample.txt, lists, extracts and checks it, and makes
# sure bad manifests are refused.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})

function(run expect_ok)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(expect_ok AND NOT rc EQUAL 0)
    message(FATAL_ERROR "failed: ${ARGN}\n${err}")
  elseif(NOT expect_ok AND rc EQUAL 0)
    message(FATAL_ERROR "should have failed: ${ARGN}")
  endif()
  set(last_output "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

run(TRUE ${PDBTOOL} build ${SOURCE}/sample.txt ${WORK}/Sample.pdb)
run(TRUE ${PDBTOOL} list ${WORK}/Sample.pdb)
file(READ ${SOURCE}/expected_list.txt expected)
if(NOT last_output STREQUAL expected)
  message(FATAL_ERROR "listing differs:\n${last_output}")
endif()
run(TRUE ${PDBTOOL} check ${WORK}/Sample.pdb)

run(TRUE ${PDBTOOL} extract ${WORK}/Sample.pdb ${WORK}/out)
file(READ ${WORK}/out/aPLN_1000.bin form HEX)
file(READ ${SOURCE}/form.bin original HEX)
file(READ ${WORK}/out/aSTR_4.bin narrow HEX)
file(READ ${WORK}/out/tSTR_5.bin wide HEX)
if(NOT form STREQUAL original OR NOT narrow STREQUAL "636166e920800a00" OR NOT wide STREQUAL "480069000000")
  message(FATAL_ERROR "extracted bytes differ: ${form} ${narrow} ${wide}")
endif()

run(FALSE ${PDBTOOL} build ${SOURCE}/duplicate.txt ${WORK}/Dup.pdb)
run(FALSE ${PDBTOOL} build ${SOURCE}/badname.txt ${WORK}/Bad.pdb)
file(COPY_FILE ${WORK}/Sample.pdb ${WORK}/Renamed.pdb)
run(FALSE ${PDBTOOL} check ${WORK}/Renamed.pdb)
file(WRITE ${WORK}/Short.pdb "too short")
run(FALSE ${PDBTOOL} list ${WORK}/Short.pdb)

# A name beyond ASCII (UTF-8 in the manifest, one byte a character in the
# file) builds, lists and checks.
run(TRUE ${PDBTOOL} build ${SOURCE}/nonascii.txt "${WORK}/Café-Däten.pdb")
run(TRUE ${PDBTOOL} list "${WORK}/Café-Däten.pdb")
if(NOT last_output MATCHES "^name Café-Däten\n")
  message(FATAL_ERROR "listing of the non-ASCII name differs:\n${last_output}")
endif()
run(TRUE ${PDBTOOL} check "${WORK}/Café-Däten.pdb")
file(READ "${WORK}/Café-Däten.pdb" stored LIMIT 12 HEX)
if(NOT stored STREQUAL "436166e92d44e474656e0000")
  message(FATAL_ERROR "stored name bytes differ: ${stored}")
endif()

# A file holding one type and id twice (written by another tool) is refused
# by extract, which writes nothing, and by check.
run(FALSE ${PDBTOOL} extract ${SOURCE}/Twice.pdb ${WORK}/twice)
if(NOT err MATCHES "entries 0 and 1 would both be extracted as aSTR_1.bin")
  message(FATAL_ERROR "extract names no twins: ${err}")
endif()
file(GLOB written ${WORK}/twice/*)
if(written)
  message(FATAL_ERROR "extract wrote ${written}")
endif()
run(FALSE ${PDBTOOL} check ${SOURCE}/Twice.pdb)

# Forms and menus from their sources: built with symbols from an included
# manifest, checked, dumped as text (with the strings' texts noted), and the
# dump compiles to the same bytes.
run(TRUE ${PDBTOOL} build ${SOURCE}/forms.txt ${WORK}/Forms.pdb)
run(TRUE ${PDBTOOL} check ${WORK}/Forms.pdb)
run(TRUE ${PDBTOOL} dump ${WORK}/Forms.pdb aFRM 1000)
if(NOT last_output MATCHES "^form 1000\ntitle 10  # \"Sample form\"\nwidth T212\nmenu 1001\n\ngadget button 1\n  x half\n")
  message(FATAL_ERROR "dump of the form differs:\n${last_output}")
endif()
file(WRITE ${WORK}/form_dump.txt "${last_output}")
run(TRUE ${PDBTOOL} compile ${WORK}/form_dump.txt ${WORK}/form_again.bin)
run(TRUE ${PDBTOOL} extract ${WORK}/Forms.pdb ${WORK}/forms)
file(READ ${WORK}/form_again.bin again HEX)
file(READ ${WORK}/forms/aFRM_1000.bin built HEX)
if(NOT again STREQUAL built)
  message(FATAL_ERROR "the form's dump compiles to other bytes")
endif()
run(TRUE ${PDBTOOL} dump ${WORK}/Forms.pdb aMNU 1001)
if(NOT last_output STREQUAL "menu 1001 quick\nfont 240\nright text 11 item 5  # \"OK\"\n")
  message(FATAL_ERROR "dump of the menu differs:\n${last_output}")
endif()
run(FALSE ${PDBTOOL} dump ${WORK}/Forms.pdb aFRM 999)
run(FALSE ${PDBTOOL} dump ${WORK}/Sample.pdb aPLN 1000)

# A blob that exists nowhere stops the build, naming the form and field; a
# database given with --with that holds nothing more does not help.
run(FALSE ${PDBTOOL} build ${SOURCE}/missing.txt ${WORK}/Missing.pdb)
if(NOT err MATCHES "form 1, gadget 1 \\(slider\\): 'knob' names blob 77, which no database holds")
  message(FATAL_ERROR "the missing blob is not named: ${err}")
endif()
run(FALSE ${PDBTOOL} build ${SOURCE}/missing.txt ${WORK}/Missing.pdb --with ${WORK}/Sample.pdb)
if(EXISTS ${WORK}/Missing.pdb)
  message(FATAL_ERROR "a database was written although its form names a missing blob")
endif()

# Symbols are declared once (strings and blobs apart), and a source is listed
# as what it holds.
run(FALSE ${PDBTOOL} build ${SOURCE}/symbol_twice.txt ${WORK}/Twice.pdb)
if(NOT err MATCHES "line 9: symbol OK is declared twice")
  message(FATAL_ERROR "the second OK is not named: ${err}")
endif()
run(FALSE ${PDBTOOL} build ${SOURCE}/wrong_kind.txt ${WORK}/Wrong.pdb)
if(NOT err MATCHES "sample_form.txt: holds a form, listed as a menu")
  message(FATAL_ERROR "the form listed as a menu is not named: ${err}")
endif()

# An artwork list's pieces are blob symbols named by the piece in capitals;
# a piece line without its id is refused, naming the list and the line.
run(FALSE ${PDBTOOL} build ${SOURCE}/pieces.txt ${WORK}/Pieces.pdb)
if(NOT err MATCHES "art_pieces.txt line 4: symbol SLIDER_KNOB_FOCUSED is declared twice")
  message(FATAL_ERROR "the piece's symbol is not the one expected: ${err}")
endif()
run(FALSE ${PDBTOOL} build ${SOURCE}/pieces_broken.txt ${WORK}/Pieces.pdb)
if(NOT err MATCHES "art_broken.txt line 2: expected: piece NAME SET ID")
  message(FATAL_ERROR "the broken piece line is not named: ${err}")
endif()

# Strings in more than one language: each translation file beside its
# manifest gives every string of it; the translations take their language's
# id block and an id map ('aRIL' 1) points the strings at them. A pending
# manifest's missing translations are reported, others refuse the build,
# naming the language, the manifest and the strings.
run(TRUE ${PDBTOOL} build ${SOURCE}/translated/lang.txt ${WORK}/Translated.pdb)
if(NOT err MATCHES "warning: language 1031 \\(de\\): 1 string\\(s\\) of other.txt without a translation in other.de.txt: LATER \\(pending\\)")
  message(FATAL_ERROR "the pending string is not reported: ${err}")
endif()
run(TRUE ${PDBTOOL} extract ${WORK}/Translated.pdb ${WORK}/translated)
file(READ ${WORK}/translated/aSTR_10100.bin hallo HEX)
file(READ ${WORK}/translated/tSTR_10101.bin tschuess HEX)
file(READ ${WORK}/translated/aSTR_20005.bin titre HEX)
if(NOT hallo STREQUAL "48616c6c6f00" OR NOT tschuess STREQUAL "5400730063006800fc00730073000000")
  message(FATAL_ERROR "translated strings differ: ${hallo} ${tschuess}")
endif()
if(NOT titre STREQUAL "546974726500")
  message(FATAL_ERROR "the French title differs: ${titre}")
endif()
# Six entries of 12 bytes: German first (the manifest's own string, then
# words.txt's), then French.
file(READ ${WORK}/translated/aRIL_1.bin map HEX)
if(NOT map MATCHES "^00000006000c0000615354520407000527150000615354520407006427740000745354520407006527750000")
  message(FATAL_ERROR "the id map differs: ${map}")
endif()
run(FALSE ${PDBTOOL} build ${SOURCE}/translated/gap.txt ${WORK}/Gap.pdb)
if(NOT err MATCHES "language 1031 \\(de\\): 1 string\\(s\\) of gap.txt without a translation in gap.de.txt: TWO")
  message(FATAL_ERROR "the missing translation is not named: ${err}")
endif()
run(FALSE ${PDBTOOL} build ${SOURCE}/translated/typo.txt ${WORK}/Typo.pdb)
if(NOT err MATCHES "typo.de.txt line 2: NOPE is no string of typo.txt")
  message(FATAL_ERROR "the unknown symbol is not named: ${err}")
endif()
run(FALSE ${PDBTOOL} build ${SOURCE}/translated/overlap.txt ${WORK}/Overlap.pdb)
if(NOT err MATCHES "translation aSTR 11: duplicate resource")
  message(FATAL_ERROR "the overlapping id block is not named: ${err}")
endif()

# A folder and a file of zeros are refused by name, not taken for an empty
# database.
run(FALSE ${PDBTOOL} list ${WORK})
if(NOT err MATCHES "is a folder, not a file")
  message(FATAL_ERROR "the folder is not refused clearly: ${err}")
endif()
execute_process(COMMAND head -c 1048576 /dev/zero OUTPUT_FILE ${WORK}/Zeros.pdb)
run(FALSE ${PDBTOOL} list ${WORK}/Zeros.pdb)
if(NOT err MATCHES "Zeros.pdb: not a database \\(its header holds no name\\)")
  message(FATAL_ERROR "the zeros are not refused clearly: ${err}")
endif()

# Header lines take one word (a name with a space is refused, not cut short)
# and numbers are whole numbers.
set(header_lines "name Café Jeu" "type ARES ARES" "creator QzSo x" "version 1 2" "attributes 12abc")
set(header_errors "line 1: name takes one word, but 'Jeu' follows 'Café'" "line 1: type takes one word"
                  "line 1: creator takes one word" "line 1: version takes one word"
                  "line 1: attributes wants a number from 0 to 65535, not '12abc'")
foreach(line error IN ZIP_LISTS header_lines header_errors)
  file(WRITE ${WORK}/header.txt "${line}\nname Header\ntype ARES\ncreator QzSo\n")
  file(REMOVE ${WORK}/Header.pdb)
  run(FALSE ${PDBTOOL} build ${WORK}/header.txt ${WORK}/Header.pdb)
  if(NOT err MATCHES "${error}" OR EXISTS ${WORK}/Header.pdb)
    message(FATAL_ERROR "'${line}' is not refused as it should be: ${err}")
  endif()
endforeach()
