#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "script.h"
#include "wince/window.h"

namespace wince::detail {

namespace {

struct Named {
  std::string_view name;
  int code;
};

constexpr Named kKeys[] = {
    {"left", VK_LEFT},        {"right", VK_RIGHT},      {"up", VK_UP},          {"down", VK_DOWN},
    {"return", VK_RETURN},    {"enter", VK_RETURN},     {"action", VK_RETURN},  {"back", VK_ESCAPE},
    {"escape", VK_ESCAPE},    {"softkey1", VK_TSOFT1},  {"softkey2", VK_TSOFT2}, {"f1", VK_F1},
    {"f2", VK_F2},            {"end", VK_TEND},         {"volumeup", VK_TVOLUMEUP},
    {"volumedown", VK_TVOLUMEDOWN},                      {"space", VK_SPACE},    {"backspace", VK_BACK},
    {"shift", VK_SHIFT},      {"tab", VK_TAB},          {"menu", VK_APPS},
};

constexpr Named kAnswers[] = {
    {"ok", 1}, {"cancel", 2}, {"abort", 3}, {"retry", 4}, {"ignore", 5}, {"yes", 6}, {"no", 7},
};

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool parseInt(std::string_view s, int* out) {
  if (s.empty()) return false;
  int value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || end != s.data() + s.size()) return false;
  *out = value;
  return true;
}

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> out;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t') ++i;
    if (i > start) out.push_back(line.substr(start, i - start));
  }
  return out;
}

int lookup(const Named* table, size_t count, std::string_view name) {
  std::string key = lower(name);
  for (size_t i = 0; i < count; ++i) {
    if (table[i].name == key) return table[i].code;
  }
  return -1;
}

// Appends the UTF-16 units of UTF-8 text; false on a malformed sequence.
bool appendUtf8(std::string_view s, std::u16string* out) {
  size_t i = 0;
  while (i < s.size()) {
    auto c = static_cast<unsigned char>(s[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 6 ? 1 : (c >> 4) == 14 ? 2 : (c >> 3) == 30 ? 3 : -1;
    if (extra < 0 || i + static_cast<size_t>(extra) >= s.size()) return false;
    char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      auto cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    i += static_cast<size_t>(extra) + 1;
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out->push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out->push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out->push_back(static_cast<char16_t>(cp));
    }
  }
  return true;
}

// The text of a char command: U+XXXX stands for one unit, anything else is UTF-8.
bool parseCharText(std::string_view s, std::u16string* out) {
  if (s.size() > 2 && (s[0] == 'U' || s[0] == 'u') && s[1] == '+') {
    unsigned value = 0;
    auto [end, ec] = std::from_chars(s.data() + 2, s.data() + s.size(), value, 16);
    if (ec != std::errc() || end != s.data() + s.size() || value > 0xFFFF) return false;
    out->push_back(static_cast<char16_t>(value));
    return true;
  }
  return appendUtf8(s, out);
}

std::string_view restAfter(std::string_view line, std::string_view word) {
  size_t pos = static_cast<size_t>(word.data() + word.size() - line.data());
  while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
  std::string_view rest = line.substr(pos);
  while (!rest.empty() && (rest.back() == ' ' || rest.back() == '\t')) rest.remove_suffix(1);
  return rest;
}

// Parses one non-empty line; returns an error text or "".
std::string parseLine(std::string_view line, const std::vector<std::string_view>& w, ScriptCommand* cmd) {
  std::string verb = lower(w[0]);
  auto wantArgs = [&](size_t n) { return w.size() == n + 1; };
  auto ints = [&](size_t first, size_t n) {
    for (size_t i = 0; i < n; ++i) {
      if (!parseInt(w[first + i], &cmd->args[i])) return false;
    }
    return true;
  };
  if (verb == "key") {
    if (w.size() != 3) return "key wants 'down', 'up' or 'press' and a key";
    std::string how = lower(w[1]);
    if (how == "down") cmd->op = ScriptOp::KeyDown;
    else if (how == "up") cmd->op = ScriptOp::KeyUp;
    else if (how == "press") cmd->op = ScriptOp::KeyPress;
    else return "key wants 'down', 'up' or 'press', not '" + std::string(w[1]) + "'";
    cmd->args[0] = scriptKeyCode(w[2]);
    if (cmd->args[0] < 0) return "unknown key '" + std::string(w[2]) + "'";
    return "";
  }
  if (verb == "char" || verb == "compose") {
    cmd->op = verb == "char" ? ScriptOp::Char : ScriptOp::Compose;
    std::string_view text = w.size() > 1 ? restAfter(line, w[0]) : std::string_view();
    if (text.empty() || !parseCharText(text, &cmd->text)) return verb + " wants text or U+XXXX";
    return "";
  }
  if (verb == "tap") {
    cmd->op = ScriptOp::Tap;
    if (!wantArgs(2) || !ints(1, 2)) return "tap wants X Y";
    return "";
  }
  if (verb == "tapcontrol") {
    cmd->op = ScriptOp::TapControl;
    if (!wantArgs(1) || !ints(1, 1)) return "tapcontrol wants a control id";
    return "";
  }
  if (verb == "pick") {
    cmd->op = ScriptOp::Pick;
    std::string_view text = w.size() > 1 ? restAfter(line, w[0]) : std::string_view();
    if (text.empty() || !parseCharText(text, &cmd->text)) return "pick wants the text of a menu item";
    return "";
  }
  if (verb == "drag") {
    cmd->op = ScriptOp::Drag;
    if (!wantArgs(4) || !ints(1, 4)) return "drag wants X1 Y1 X2 Y2";
    return "";
  }
  if (verb == "wait") {
    cmd->op = ScriptOp::Wait;
    if (!wantArgs(1) || !ints(1, 1) || cmd->args[0] < 0 || cmd->args[0] > kLongestWaitMs) {
      return "wait wants milliseconds from 0 to " + std::to_string(kLongestWaitMs) + " (two hours)";
    }
    return "";
  }
  if (verb == "answer") {
    cmd->op = ScriptOp::Answer;
    if (!wantArgs(1)) return "answer wants ok, cancel, yes, no, abort, retry, ignore or a number";
    cmd->args[0] = scriptAnswerCode(w[1]);
    if (cmd->args[0] < 0) return "unknown answer '" + std::string(w[1]) + "'";
    return "";
  }
  if (verb == "screenshot" || verb == "dump") {
    cmd->op = verb == "dump" ? ScriptOp::Dump : ScriptOp::Screenshot;
    std::string_view path = w.size() > 1 ? restAfter(line, w[0]) : std::string_view();
    if (path.empty()) return verb + " wants a file name";
    cmd->path = std::string(path);
    return "";
  }
  if (verb == "suspend" || verb == "resume") {
    cmd->op = verb == "suspend" ? ScriptOp::Suspend : ScriptOp::Resume;
    if (!wantArgs(0)) return verb + " takes no arguments";
    return "";
  }
  return "unknown command '" + std::string(w[0]) + "'";
}

}  // namespace

int scriptKeyCode(std::string_view name) {
  int code = lookup(kKeys, std::size(kKeys), name);
  if (code >= 0) return code;
  if (name.size() == 1) {
    char c = name[0];
    if (c >= '0' && c <= '9') return c;
    if (c >= 'a' && c <= 'z') return c - 'a' + 'A';
    if (c >= 'A' && c <= 'Z') return c;
  }
  if (name.size() > 1 && parseInt(name, &code) && code > 0 && code < 256) return code;
  return -1;
}

int scriptAnswerCode(std::string_view name) {
  int code = lookup(kAnswers, std::size(kAnswers), name);
  if (code >= 0) return code;
  if (parseInt(name, &code) && code > 0) return code;
  return -1;
}

bool parseScript(std::string_view text, std::vector<ScriptCommand>* out, std::string* error) {
  out->clear();
  // Editors may start a UTF-8 file with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  int lineNo = 0;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    std::vector<std::string_view> w = words(line);
    if (w.empty()) continue;
    ScriptCommand cmd{};
    cmd.line = lineNo;
    std::string problem = parseLine(line, w, &cmd);
    if (!problem.empty()) {
      *error = "line " + std::to_string(lineNo) + ": " + problem;
      out->clear();
      return false;
    }
    out->push_back(std::move(cmd));
  }
  return true;
}

bool loadScript(const std::string& path, std::vector<ScriptCommand>* out, std::string* error) {
  std::error_code folder;
  if (std::filesystem::is_directory(path, folder)) {
    *error = "the script " + path + " is a folder, not a file";
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read the script " + path;
    return false;
  }
  std::ostringstream text;
  text << in.rdbuf();
  if (!parseScript(text.str(), out, error)) {
    *error = path + ": " + *error;
    return false;
  }
  return true;
}

}  // namespace wince::detail
