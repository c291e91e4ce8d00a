// Names of parameterised tests made from a case's own words, so that CTest
// lists them readably: letters and digits are kept and every run of other
// characters becomes one underscore ("line 21: bad 'x'" is line_21_bad_x).
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace test_names {

inline std::string FromWords(std::string_view words) {
  std::string name;
  bool gap = false;
  for (const char c : words) {
    if (std::isalnum(static_cast<unsigned char>(c))) {
      if (gap && !name.empty()) name += '_';
      name += c;
      gap = false;
    } else {
      gap = true;
    }
  }
  return name.empty() ? "empty" : name;
}

// A name generator for parameters whose member `Field` holds their words.
template <auto Field>
struct ByField {
  template <typename Info>
  std::string operator()(const Info& info) const {
    return FromWords(info.param.*Field);
  }
};

// A name generator for parameters that are words themselves.
struct ByText {
  template <typename Info>
  std::string operator()(const Info& info) const {
    return FromWords(info.param);
  }
};

}  // namespace test_names
