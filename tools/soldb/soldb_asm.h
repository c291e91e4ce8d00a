// The rule-set language: a readable text form of a SOLDB record, its
// assembler and its disassembler.
//
// A statement starts at the beginning of a line; indented lines continue it.
// "#" starts a comment. Names are declared by the statements that create
// table entries and may be used before their declaration; a bare number is
// always an index.
//
//   name "Klondike"              variant name (at most 31 characters)
//   variant 212                  h0
//   rulewords 7 0 1              h1-h3
//   wide 1                       h4
//   params 1 2 3                 parameter bytes (rarely used)
//   rules <<                     rules text (light HTML) up to a line ">>"
//   cards KIND suits 1 2 3 4 repeat 2     13 ranks per suit, suit-major
//   card KIND SUIT RANK
//   define NAME tokens...        expression macro
//   expr NAME                    bytecode in mnemonics on the indented lines:
//       PUSH n (or just n), ALT MARK LOOP ENDLOOP ADD SUB MUL DIV ABS DUP ODD
//       DROP SINK RAISE SWAP SAVEPAIR SAVERUN BREAK IF ELSE ENDIF NEXT
//       RESTORE RANK REWIND GOTONEXT SUIT OTHER, and macros
//   pile NAME key=value...       kind x y xmode ymode fan base faceup active
//       deal pick drop tap empty dropevent fixed enabled order fanmode
//       fanlimit marker | rank suit | marker1 marker2 reserved
//   action NAME KIND key=value...   KIND move field flag forbid allow win
//       reset (or a number); keys pile|from target|to range start count
//       at tpos select|field|flag value counter
//   movetable FROM TO            "*" is any pile
//   swap PILE CARD POS | flip PILE POS | lock PILE POS | mark PILE POS
//   event NAME KIND              KIND auto repeat tap opening (or 0-3), with
//       indented lines:  if EXPR PILEA [PILEB]  |  do ACTION...  |  limit COUNTER
//   cond NAME EXPR PILEA [PILEB] | when EVENT COND | link EVENT ACTION
//   counter NAME INITIAL FOLLOWUP | limit EVENT COUNTER
//   repeat VAR FROM TO ... end   repeats the lines between, with {VAR},
//                                {VAR+n} and {VAR-n} replaced by numbers
//   let VAR NUMBER               replaces {VAR} in the lines that follow
//   include FILE                 (files only) the text of FILE, relative to
//                                the including file
#pragma once

#include <string>

#include "sol_rules.h"

// Assembles `text`; on failure returns false with "line N: what" in error.
bool SolAssemble(const std::string& text, SolRuleData& out, std::string& error);

// Reads a source file with its includes, then assembles it.
bool SolAssembleFile(const std::string& path, SolRuleData& out, std::string& error);
bool SolReadSource(const std::string& path, std::string& text, std::string& error, int depth = 0);

// Text that assembles back to the same record, byte for byte.
std::string SolDisassemble(const SolRuleData& data);

// One expression in mnemonics.
std::string SolDisassembleCode(const SolBytes& code);
