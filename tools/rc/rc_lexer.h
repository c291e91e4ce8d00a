// Tokens of a resource script, and the names (#define and the built-in
// style and key constants) that expressions may use.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace rc {

struct Token {
  enum Kind { Number, String, Word, Punct, End } kind = End;
  uint32_t number = 0;
  bool longNumber = false;  // L suffix
  std::u16string text;      // String: the decoded units
  bool wide = false;        // String: L"..."
  std::string word;         // Word, Punct
  int line = 0;
};

// #define names and the tokens of their values.
using Defines = std::map<std::string, std::vector<Token>>;

// The whole script as tokens; preprocessor lines are applied to `defines`
// as they are met (#define NAME value, #include "header").
class Lexer {
 public:
  Lexer(std::string displayName, Defines& defines);
  // Appends the tokens of `text`; header mode keeps only its #define lines
  // and skips everything else.
  void run(const std::string& text, bool headerMode, const std::string& folder,
           std::vector<std::string>& includedFiles);
  std::vector<Token>& tokens() { return tokens_; }
  [[noreturn]] void fail(int line, const std::string& message) const;

 private:
  void tokenizeLine(const std::string& text, size_t& i, int& line);
  void directive(const std::string& lineText, int line, bool headerMode, const std::string& folder,
                 std::vector<std::string>& includedFiles);
  Token stringToken(const std::string& text, size_t& i, int line, bool wide);

  std::string displayName_;
  Defines& defines_;
  std::vector<Token> tokens_;
};

// The built-in constants: window, dialog and control styles, soft-key bar
// and accelerator words, virtual keys.
const std::map<std::string, uint32_t>& builtinConstants();

}  // namespace rc
