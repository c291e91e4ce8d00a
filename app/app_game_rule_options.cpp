#include "app_game_rule_options.h"

#include <array>

namespace {

using R = CAppGameRules;

// Lists several games share.
constexpr uint16_t kDrawTexts[] = {1186, 1187, 1188};
constexpr uint32_t kDrawValues[] = {1, 2, 3};
constexpr uint16_t kRedealTexts[] = {1198, 1570, 1199, 1200};
constexpr uint32_t kRedealValues[] = {0, 1, 3, 127};
// Empty columns: any card, a King only, nothing.
constexpr uint16_t kEmptyTexts[] = {1192, 1191, 1193};
constexpr uint32_t kEmptyValues[] = {1, 2, 0};
// The deal: the usual faces, all face up, down and up in turn, whole columns in turn.
constexpr uint16_t kDealTexts[] = {1195, 1196, 1218, 1219};
constexpr uint32_t kDealValues[] = {2, 0, 3, 4};
// Building: in suit, red on black, any suit.
constexpr uint16_t kSuitTexts[] = {1204, 1205, 1206};
constexpr uint32_t kSuitValues[] = {0, 1, 2};

// Lists of one game.
constexpr uint16_t kDeckTexts[] = {1201, 1202};
constexpr uint32_t kDeckValues[] = {1, 2};
constexpr uint16_t kSuitCountTexts[] = {1208, 1209, 1210};
constexpr uint32_t kSuitCountValues[] = {1, 2, 4};
constexpr uint16_t kRunTexts[] = {1212, 1213, 1214};
constexpr uint32_t kRunValues[] = {0, 1, 2};
// Calculation's heaps: built down by one in suit, in colours, in any suit, or any card at all.
constexpr uint16_t kHeapTexts[] = {1204, 1205, 1206, 1207};
constexpr uint32_t kHeapValues[] = {0, 1, 2, 2};
constexpr uint32_t kHeapStepFlags[] = {1, 1, 1, 0};
// Golf's king: a queen only, nothing, a queen or an ace.
constexpr uint16_t kKingTexts[] = {1299, 1298, 1297};
constexpr uint32_t kKingWrapFlags[] = {0, 0, 1};
constexpr uint32_t kKingStopFlags[] = {0, 1, 0};
constexpr uint16_t kSultanSuitTexts[] = {1204, 1206};
constexpr uint32_t kSultanSuitValues[] = {0, 2};

constexpr AppRuleField byteField(uint8_t* (*at)(R&)) { return {at, nullptr}; }
constexpr AppRuleField wordField(uint32_t* (*at)(R&)) { return {nullptr, at}; }

constexpr AppCycledOption cycled(uint16_t gadget, std::span<const uint16_t> texts, std::span<const uint32_t> values,
                                 AppRuleField field, uint8_t defaultIndex) {
  return {gadget, texts, values, field, {}, {}, defaultIndex, nullptr};
}

int calcHeapsReadBack(const R& r) {
  switch (r.calculation.choice1357) {
    case 0: return 0;
    case 1: return 1;
    case 2: return r.calculation.choice1357Flag == 1 ? 2 : 3;
    default: return -1;
  }
}

int golfKingReadBack(const R& r) {
  if (r.golf.firstFlag) return 2;
  return r.golf.secondFlag ? 1 : 0;
}

const AppCycledOption kKlondikeOptions[] = {
    cycled(1342, kDrawTexts, kDrawValues, byteField([](R& r) { return &r.klondike.drawCount; }), 2),
    cycled(1345, kRedealTexts, kRedealValues, byteField([](R& r) { return &r.klondike.redealLimit; }), 2),
    cycled(1348, kEmptyTexts, kEmptyValues, wordField([](R& r) { return &r.klondike.threeWayA; }), 1),
    cycled(1351, kDealTexts, kDealValues, wordField([](R& r) { return &r.klondike.fourWayB; }), 0),
};
const AppRuleBox kKlondikeBoxes[] = {{1341, byteField([](R& r) { return &r.klondike.box1341; }), 0}};

const AppCycledOption kFreecellOptions[] = {
    cycled(1354, kDeckTexts, kDeckValues, byteField([](R& r) { return &r.freecell.choice1354; }), 0),
    cycled(1348, kEmptyTexts, kEmptyValues, wordField([](R& r) { return &r.freecell.threeWayA; }), 0),
    cycled(1357, kSuitTexts, kSuitValues, wordField([](R& r) { return &r.freecell.threeWayC; }), 1),
};
const AppRuleBox kFreecellBoxes[] = {{1341, byteField([](R& r) { return &r.freecell.box1341; }), 0}};

const AppCycledOption kSpiderOptions[] = {
    cycled(1348, kEmptyTexts, kEmptyValues, wordField([](R& r) { return &r.spider.threeWayA; }), 0),
    cycled(1351, kDealTexts, kDealValues, wordField([](R& r) { return &r.spider.fourWayB; }), 0),
    cycled(1360, kSuitCountTexts, kSuitCountValues, byteField([](R& r) { return &r.spider.suits; }), 0),
    cycled(1363, kRunTexts, kRunValues, wordField([](R& r) { return &r.spider.choice1363; }), 0),
};
const AppRuleBox kSpiderBoxes[] = {{1450, byteField([](R& r) { return &r.spider.box1450; }), 1, true}};

const AppCycledOption kCalcOptions[] = {
    {1357, kHeapTexts, kHeapValues, wordField([](R& r) { return &r.calculation.choice1357; }), kHeapStepFlags,
     byteField([](R& r) { return &r.calculation.choice1357Flag; }), 3, calcHeapsReadBack},
};
const AppRuleBox kCalcBoxes[] = {{1341, byteField([](R& r) { return &r.calculation.box1341; }), 0},
                                 {1453, byteField([](R& r) { return &r.calculation.box1453; }), 1}};

const AppCycledOption kGolfOptions[] = {
    {1354, kKingTexts, kKingWrapFlags, byteField([](R& r) { return &r.golf.firstFlag; }), kKingStopFlags,
     byteField([](R& r) { return &r.golf.secondFlag; }), 0, golfKingReadBack},
};

const AppRuleBox kIdiotBoxes[] = {{1366, byteField([](R& r) { return &r.idiot.box1366; }), 0},
                                  {1450, byteField([](R& r) { return &r.idiot.box1450; }), 1, true}};

const AppCycledOption kCanfieldOptions[] = {
    cycled(1342, kDrawTexts, kDrawValues, byteField([](R& r) { return &r.canfield.drawCount; }), 2),
    cycled(1345, kRedealTexts, kRedealValues, byteField([](R& r) { return &r.canfield.redealLimit; }), 3),
};
const AppRuleBox kCanfieldBoxes[] = {{1366, byteField([](R& r) { return &r.canfield.box1366; }), 0},
                                     {1420, byteField([](R& r) { return &r.canfield.box1420; }), 1},
                                     {1436, byteField([](R& r) { return &r.canfield.box1436; }), 1}};

const AppRuleBox kClockBoxes[] = {{1438, byteField([](R& r) { return &r.clock.box1438; }), 1}};

const AppCycledOption kFourCornersOptions[] = {
    cycled(1345, kRedealTexts, kRedealValues, byteField([](R& r) { return &r.fourCorners.redealLimit; }), 0),
};
// The rules the game's rules text and help describe, which a new profile
// holds too: the stock face down, gaps filled from the waste, foundations
// from the Ace.
const AppRuleBox kFourCornersBoxes[] = {{1368, byteField([](R& r) { return &r.fourCorners.box1368; }), 0},
                                        {1420, byteField([](R& r) { return &r.fourCorners.box1420; }), 1},
                                        {1440, byteField([](R& r) { return &r.fourCorners.box1440; }), 0}};

const AppCycledOption kYukonOptions[] = {
    cycled(1348, kEmptyTexts, kEmptyValues, wordField([](R& r) { return &r.yukon.threeWayA; }), 1),
    cycled(1351, kDealTexts, kDealValues, wordField([](R& r) { return &r.yukon.fourWayB; }), 0),
    cycled(1357, kSuitTexts, kSuitValues, wordField([](R& r) { return &r.yukon.threeWayC; }), 1),
};
const AppRuleBox kYukonBoxes[] = {{1341, byteField([](R& r) { return &r.yukon.box1341; }), 0}};

const AppCycledOption kSultanOptions[] = {
    cycled(1342, kDrawTexts, kDrawValues, byteField([](R& r) { return &r.sultan.drawCount; }), 0),
    cycled(1345, kRedealTexts, kRedealValues, byteField([](R& r) { return &r.sultan.redealLimit; }), 2),
    cycled(1357, kSultanSuitTexts, kSultanSuitValues, wordField([](R& r) { return &r.sultan.choice1357; }), 0),
};
const AppRuleBox kSultanBoxes[] = {{1420, byteField([](R& r) { return &r.sultan.box1420; }), 1}};

const AppCycledOption kPyramidOptions[] = {
    cycled(1345, kRedealTexts, kRedealValues, byteField([](R& r) { return &r.pyramid.redealLimit; }), 0),
};
const AppRuleBox kPyramidBoxes[] = {{1366, byteField([](R& r) { return &r.pyramid.box1366; }), 0},
                                    {1367, byteField([](R& r) { return &r.pyramid.box1367; }), 0},
                                    {1368, byteField([](R& r) { return &r.pyramid.box1368; }), 0}};

// By game type.
const AppGameRuleOptions kGames[kAppGameTypes] = {
    {1, 1320, "frmklset", "app_form_klondikesettings", kKlondikeOptions, kKlondikeBoxes},
    {2, 1321, "frmfcset", "app_form_freecellsettings", kFreecellOptions, kFreecellBoxes},
    {3, 1322, "frmspset", "app_form_spidersettings", kSpiderOptions, kSpiderBoxes},
    {4, 1324, "frmcaset", "app_form_calcsettings", kCalcOptions, kCalcBoxes},
    {5, 1416, "frmgoset", "app_form_golfsettings", kGolfOptions, {}},
    {6, 1431, "frmidset", "app_form_idiotsettings", {}, kIdiotBoxes},
    {7, 1434, "frmcfset", "app_form_canfieldsettings", kCanfieldOptions, kCanfieldBoxes},
    {8, 1437, "frmclset", "app_form_clocksettings", {}, kClockBoxes},
    {9, 1439, "frm4cset", "app_form_fourcornerssettings", kFourCornersOptions, kFourCornersBoxes},
    {10, 1441, "frmyuset", "app_form_yukonsettings", kYukonOptions, kYukonBoxes},
    {11, 1419, "frmsuset", "app_form_sultansettings", kSultanOptions, kSultanBoxes},
    {12, 1323, "frmpyset", "app_form_pyramidsettings", kPyramidOptions, kPyramidBoxes},
};

// Klondike, FreeCell, Spider, Pyramid, Calculation, Golf, Sultan, Idiot,
// Canfield, Clock, Four Corners, Yukon: the form ids in rising order.
constexpr std::array<const AppGameRuleOptions*, kAppGameTypes> kByFormId = {
    &kGames[0],  &kGames[1], &kGames[2], &kGames[11], &kGames[3], &kGames[4],
    &kGames[10], &kGames[5], &kGames[6], &kGames[7],  &kGames[8], &kGames[9],
};

}  // namespace

uint32_t AppRuleField::get(const CAppGameRules& rules) const {
  auto& r = const_cast<CAppGameRules&>(rules);
  if (byte) return *byte(r);
  return word ? *word(r) : 0;
}

void AppRuleField::set(CAppGameRules& rules, uint32_t value) const {
  if (byte) *byte(rules) = static_cast<uint8_t>(value);
  if (word) *word(rules) = value;
}

int AppCycledOption::storedIndex(const CAppGameRules& rules) const {
  if (readBack) return readBack(rules);
  const uint32_t stored = field.get(rules);
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i] == stored) return static_cast<int>(i);
  }
  return -1;
}

void AppCycledOption::store(CAppGameRules& rules, int index) const {
  const auto i = static_cast<size_t>(index);
  if (index < 0 || i >= values.size()) return;
  field.set(rules, values[i]);
  if (i < secondValues.size()) second.set(rules, secondValues[i]);
}

AppRuleChoices AppGameRuleOptions::read(const CAppGameRules& rules, const AppRuleChoices& shown) const {
  AppRuleChoices c = shown;
  for (size_t k = 0; k < options.size(); ++k) {
    if (const int i = options[k].storedIndex(rules); i >= 0) c.index[k] = static_cast<uint8_t>(i);
  }
  for (size_t k = 0; k < boxes.size(); ++k) c.ticked[k] = boxes[k].field.get(rules) != 0 ? 1 : 0;
  return c;
}

void AppGameRuleOptions::write(const AppRuleChoices& choices, CAppGameRules& rules) const {
  for (size_t k = 0; k < options.size(); ++k) options[k].store(rules, choices.index[k]);
  for (size_t k = 0; k < boxes.size(); ++k) boxes[k].field.set(rules, choices.ticked[k] ? 1 : 0);
}

AppRuleChoices AppGameRuleOptions::withDefaults(const AppRuleChoices& shown) const {
  AppRuleChoices c = shown;
  for (size_t k = 0; k < options.size(); ++k) c.index[k] = options[k].defaultIndex;
  for (size_t k = 0; k < boxes.size(); ++k) {
    if (!boxes[k].defaultsKeepIt) c.ticked[k] = boxes[k].defaultTicked;
  }
  return c;
}

bool AppGameRuleOptions::isDefault(const AppRuleChoices& choices) const {
  for (size_t k = 0; k < options.size(); ++k) {
    if (choices.index[k] != options[k].defaultIndex) return false;
  }
  for (size_t k = 0; k < boxes.size(); ++k) {
    if ((choices.ticked[k] != 0) != (boxes[k].defaultTicked != 0)) return false;
  }
  return true;
}

bool AppGameRuleOptions::differsFrom(const AppRuleChoices& choices, const CAppGameRules& rules) const {
  for (size_t k = 0; k < options.size(); ++k) {
    if (options[k].storedIndex(rules) != choices.index[k]) return true;
  }
  for (size_t k = 0; k < boxes.size(); ++k) {
    if ((boxes[k].field.get(rules) != 0) != (choices.ticked[k] != 0)) return true;
  }
  return false;
}

std::string AppGameRuleOptions::describe(const CAppGameRules& rules) const {
  std::string out;
  const auto add = [&out](uint16_t gadget, uint32_t value) {
    out += (out.empty() ? "" : " ") + std::to_string(gadget) + "=" + std::to_string(value);
  };
  for (const AppCycledOption& o : options) {
    add(o.gadget, o.field.get(rules));
    if (o.second.present()) out += "/" + std::to_string(o.second.get(rules));
  }
  for (const AppRuleBox& b : boxes) add(b.gadget, b.field.get(rules));
  return out;
}

const AppCycledOption* AppGameRuleOptions::optionOf(uint16_t gadget) const {
  for (const AppCycledOption& o : options) {
    if (o.gadget == gadget) return &o;
  }
  return nullptr;
}

const AppGameRuleOptions* AppRuleOptionsOf(int32_t type) {
  return type >= 1 && type <= kAppGameTypes ? &kGames[type - 1] : nullptr;
}

const AppGameRuleOptions* AppRuleOptionsOfForm(uint16_t formId) {
  for (const AppGameRuleOptions& g : kGames) {
    if (g.formId == formId) return &g;
  }
  return nullptr;
}

std::span<const AppGameRuleOptions* const> AppRuleOptionsByFormId() { return kByFormId; }
