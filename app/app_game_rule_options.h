// The rule options of the twelve games as their settings forms offer them:
// each cycled option's list (the string ids shown, in the order the player
// steps through them, and the values stored), each box, where both lie in
// the profile's rules block, and the choices that count as a game's
// default rules. The forms and the tests work through these tables only.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "app_settings.h"

// A byte or a 32-bit word of the rules block.
struct AppRuleField {
  uint8_t* (*byte)(CAppGameRules&) = nullptr;
  uint32_t* (*word)(CAppGameRules&) = nullptr;

  bool present() const { return byte || word; }
  uint32_t get(const CAppGameRules& rules) const;
  // A byte field keeps the value's low 8 bits.
  void set(CAppGameRules& rules, uint32_t value) const;
};

// One option the player steps through: gadget V shows the entry's text, V + 1
// steps back and V + 2 forward.
struct AppCycledOption {
  uint16_t gadget;
  std::span<const uint16_t> texts;
  std::span<const uint32_t> values;
  AppRuleField field;
  // A second field written with the first, one value per entry (Calculation's
  // step flag, Golf's second flag); none when empty.
  std::span<const uint32_t> secondValues;
  AppRuleField second;
  uint8_t defaultIndex;
  // The entry a stored state reads back as, -1 when none; null: the first
  // entry whose value equals the stored one.
  int (*readBack)(const CAppGameRules&) = nullptr;

  int count() const { return static_cast<int>(texts.size()); }
  int storedIndex(const CAppGameRules& rules) const;
  void store(CAppGameRules& rules, int index) const;
};

// A box: one byte, 1 ticked and 0 not; any other value reads as ticked.
struct AppRuleBox {
  uint16_t gadget;
  AppRuleField field;
  uint8_t defaultTicked;
  // The defaults button leaves it as it is (it still counts for the default test).
  bool defaultsKeepIt = false;
};

constexpr int kAppMaxCycledOptions = 4;
constexpr int kAppMaxRuleBoxes = 3;

// What a settings form shows: the entry of each cycled option, the tick of each box.
struct AppRuleChoices {
  uint8_t index[kAppMaxCycledOptions] = {};
  uint8_t ticked[kAppMaxRuleBoxes] = {};
  bool operator==(const AppRuleChoices&) const = default;
};

struct AppGameRuleOptions {
  int32_t type;
  uint16_t formId;
  const char* tag;
  // The name error reports give.
  const char* source;
  std::span<const AppCycledOption> options;
  std::span<const AppRuleBox> boxes;

  // The stored rules as choices; an option whose stored value is in no entry
  // keeps its index from `shown`.
  AppRuleChoices read(const CAppGameRules& rules, const AppRuleChoices& shown) const;
  void write(const AppRuleChoices& choices, CAppGameRules& rules) const;
  // The defaults button: every option and box at its default, but the boxes that keep theirs.
  AppRuleChoices withDefaults(const AppRuleChoices& shown) const;
  bool isDefault(const AppRuleChoices& choices) const;
  bool differsFrom(const AppRuleChoices& choices, const CAppGameRules& rules) const;
  // The stored fields in the form's order ("1342=3 1345=127 1341=0"), for the state dump.
  std::string describe(const CAppGameRules& rules) const;
  const AppCycledOption* optionOf(uint16_t gadget) const;
};

// The options of game type 1-12; null for any other type or form.
const AppGameRuleOptions* AppRuleOptionsOf(int32_t type);
const AppGameRuleOptions* AppRuleOptionsOfForm(uint16_t formId);
// Every game's options in the order an alert looks for an open settings form.
std::span<const AppGameRuleOptions* const> AppRuleOptionsByFormId();
