// The artwork's recipe files are text with one entry a line; blank lines and
// lines that start with '#' are left out.
#pragma once

#include <functional>
#include <string>

// Calls take with each entry line and its line number (counted from 1) and
// stops at the first false, which it returns.
bool forEachRecipeLine(const std::string& text, const std::function<bool(const std::string& line, int number)>& take);
