// What the forms show, as text for the headless state dump: the form stack
// from the bottom, the focused gadget, the menus open on the top form, and
// the top form's gadgets with their values and texts.
#pragma once

#include <string>

class CQZFFormHandler;

// Appends lines "forms=", "focus=", "menus=" (the top form's open menus, the
// root first, as "<menu id>:<quick|bar|popup>") and one "gadget=" line for each gadget of
// the top form: "gadget=<form>:<id>:<tag> value=<value> text=<text>" (the text
// in UTF-8 with backslashes, quotes and line feeds escaped, "none" without one).
void QZFDescribeForms(const CQZFFormHandler* handler, std::string& out);
