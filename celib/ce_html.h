// Plain text from a fragment of HTML: tags dropped, the Latin-1 character
// entities decoded.
#pragma once

#include "wince/types.h"

// The code of an entity text ("&amp;", "&#233;", the whole text from "&" to
// its terminator), compared without regard to case in the table's order, so
// a lower-case name whose capital twin is listed gives the capital's code.
// 0 when the text is no entity of the table.
WCHAR EntityToChar(const WCHAR* entity);
// A new string (malloc; free it): the text without tags, entities decoded.
// An unterminated tag drops the rest. Empty for a null input; null only when
// memory runs out.
WCHAR* HtmlToText(const WCHAR* html);
