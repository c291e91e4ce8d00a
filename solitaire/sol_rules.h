// The SOLDB rule-set record: its tables, the reader with its validation and
// the writer. The run-time loader and the rule-set assembler share this code,
// so a set that the assembler accepts is exactly a set the program loads.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

constexpr uint16_t kSolAnyPile = 0xFFFF;  // "any pile" in the move table, "none" elsewhere

// Header words h0-h20 of the record.
enum SolHeaderWord {
  kSolVariant = 0,
  kSolRuleWord1 = 1,
  kSolRuleWord2 = 2,
  kSolRuleWord3 = 3,
  kSolWide = 4,
  kSolParamCount = 5,
  kSolCardCount = 6,
  kSolPileCount = 7,
  kSolHeaderWords = 21,
};

struct SolCardDef {
  int16_t kind;
  uint8_t suit;
  uint8_t rank;
};

struct SolPileDef {
  int16_t kind;
  int16_t x;
  int16_t y;
  uint8_t xMode;
  uint8_t yMode;
  uint8_t fan;
  uint8_t baseKind;
  uint8_t faceUp;
  uint8_t active;
  uint16_t dealCount;
  uint16_t pickExpr;
  uint16_t dropExpr;
  uint16_t tapEvent;
  uint16_t reserved;
  uint16_t emptyTapEvent;
  uint16_t dropEvent;
  uint8_t fixedAccept;
  uint8_t enabled;
  uint8_t orderKey;
  uint8_t fanLimitMode;
  uint16_t fanLimit;
  uint8_t marker1;
  uint8_t marker2;
};

// One action record; the engine also builds these for player moves and undo.
struct SolAction {
  uint8_t kind;
  uint8_t rangeMode;
  uint16_t pile;
  uint16_t start;
  uint16_t count;
  uint16_t target;
  uint8_t targetMode;
  uint8_t selector;
  uint16_t targetPos;
  uint16_t value;
};
static_assert(sizeof(SolAction) == 16);

enum SolActionKind : uint8_t {
  kSolActMove = 0,
  kSolActPileField = 1,
  kSolActCardFlag = 2,
  kSolActForbid = 3,
  kSolActAllow = 4,
  kSolActWin = 5,
  kSolActResetCounter = 6,
};

enum SolPileField : uint8_t {
  kSolFieldActive = 6,
  kSolFieldEnabled = 8,
  kSolFieldReverse = 9,
  kSolFieldDropExpr = 10,
  kSolFieldMarker = 11,
  kSolFieldShuffle = 12,
  kSolFieldPickExpr = 13,
};

enum SolCardFlag : uint8_t { kSolFlagFaceUp = 0, kSolFlagPick = 1, kSolFlagAccept = 7 };

enum SolEventKind : uint8_t {
  kSolEventAuto = 0,
  kSolEventAutoRepeat = 1,
  kSolEventManual = 2,
  kSolEventOpening = 3,
};

struct SolMoveRule {
  uint16_t from;
  uint16_t to;
};

struct SolDealSwap {
  uint16_t pile;
  uint16_t card;
  uint16_t position;
};

// Flips, pick locks and accept marks all name one place of the deal.
struct SolDealPlace {
  uint16_t pile;
  uint16_t position;
};
using SolDealFlip = SolDealPlace;

struct SolEventAction {
  uint16_t event;
  uint16_t action;
};

struct SolCondition {
  uint16_t expr;
  uint16_t pileA;
  uint16_t pileB;
};

struct SolEventCondition {
  uint16_t event;
  uint16_t condition;
};

struct SolCounterDef {
  int16_t initial;
  uint16_t followUp;
};

struct SolEventLimit {
  uint16_t event;
  uint16_t counter;
};

// Opcodes of the expression bytecode. PUSH is followed by its value byte and
// a closing byte 1; every other opcode is one byte. 0 ends the code.
enum SolOpcode : uint8_t {
  kOpEnd = 0,
  kOpPush = 1,
  kOpAlt = 2,
  kOpNextMark = 3,
  kOpLoop = 4,
  kOpLoopEnd = 5,
  kOpAdd = 6,
  kOpSub = 7,
  kOpMul = 8,
  kOpDiv = 9,
  kOpAbs = 10,
  kOpDup = 11,
  kOpOdd = 12,
  kOpDrop = 13,
  kOpSink = 14,
  kOpRaise = 15,
  kOpSwap = 16,
  kOpSavePair = 17,
  kOpSaveRun = 18,
  kOpBreak = 19,
  kOpEndIf = 20,
  kOpElse = 21,
  kOpIf = 22,
  kOpNextCard = 23,
  kOpRestore = 24,
  kOpRank = 25,
  kOpRewind = 26,
  kOpGotoNext = 27,
  kOpSuit = 28,
  kOpOtherList = 29,
  kOpLast = 29,
};

using SolBytes = std::vector<uint8_t>;

// Everything one record holds, as read (positions not yet rescaled).
struct SolRuleData {
  uint16_t header[kSolHeaderWords] = {};
  std::string name;
  std::vector<uint8_t> params;
  std::string rulesText;
  std::vector<SolCardDef> cards;
  std::vector<SolPileDef> piles;
  std::vector<SolAction> actions;
  std::vector<SolMoveRule> moveTable;
  std::vector<SolDealSwap> swaps;
  std::vector<SolDealFlip> flips;
  std::vector<SolDealPlace> locks;
  std::vector<SolDealPlace> marks;
  std::vector<uint8_t> eventKinds;
  std::vector<SolEventAction> eventActions;
  std::vector<SolBytes> expressions;
  std::vector<SolCondition> conditions;
  std::vector<SolEventCondition> eventConditions;
  std::vector<SolCounterDef> counters;
  std::vector<SolEventLimit> limits;
};

constexpr size_t kSolNameMax = 31;      // characters of a variant name
constexpr int kSolStackMax = 500;       // values on the interpreter's stack
constexpr int kSolSlotMax = 200;        // values in one save slot

// Reads a record and validates it (sizes, indices, deal counts, expressions).
// On failure returns false and describes the first fault in `error`.
// `consumed` receives the number of bytes the tables take.
bool SolReadRuleData(const uint8_t* bytes, size_t size, SolRuleData& out, std::string& error,
                     size_t* consumed = nullptr);

// Validation alone, for data built in memory (the assembler).
bool SolValidateRuleData(const SolRuleData& data, std::string& error);

// Checks one expression: complete PUSH operands, no opcode 0 or above 29,
// balanced IF/ELSE/ENDIF and LOOP/LOOP-END, BREAK only inside a loop and a
// bounded stack depth. Returns false with a description.
bool SolCheckExpression(const uint8_t* code, size_t size, std::string& error);

// Upper bound of the stack depth an expression can reach, assuming at most
// `maxCards` entries per card list; -1 when the code is not well formed.
int SolExpressionDepthBound(const uint8_t* code, size_t size, int maxCards);

// Writes the record; the counts in the header are taken from the tables.
SolBytes SolWriteRuleData(const SolRuleData& data);
