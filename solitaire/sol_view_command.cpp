#include "sol_view_command.h"

#include <algorithm>

void SolAddViewCommand(const SolAction& action, SolViewCommandList& list) {
  SolViewCommand c;
  c.pile = action.pile;
  if (action.kind == kSolActMove) {
    c.kind = kSolViewMove;
    c.mode = action.rangeMode;
    c.a = action.start;
    c.b = action.count;
    c.target = action.target;
    c.targetMode = action.targetMode;
    c.targetValue = action.targetPos;
  } else if (action.kind == kSolActCardFlag && action.selector == kSolFlagFaceUp) {
    c.kind = kSolViewFace;
    c.mode = action.rangeMode;
    c.a = action.start;
    c.b = action.count;
    c.target = action.value;
  } else if (action.kind == kSolActPileField && action.selector == kSolFieldActive) {
    c.kind = kSolViewShow;
    c.value = action.value;
  } else if (action.kind == kSolActPileField && action.selector == kSolFieldReverse) {
    c.kind = kSolViewReverse;
  } else if (action.kind == kSolActPileField && action.selector == kSolFieldMarker) {
    c.kind = kSolViewMarker;
    c.value = action.value;
  } else if (action.kind == kSolActPileField && action.selector == kSolFieldShuffle) {
    c.kind = kSolViewShuffle;
    c.value = action.value;
  } else {
    return;
  }
  list.push_back(c);
}

void SolSelectRange(int mode, int a, int b, int n, int& start, int& count) {
  int lo = 0;
  int hi = 0;
  switch (mode) {
    case 0:
      lo = a;
      hi = n - b;
      break;
    case 1:
      lo = n - b - a;
      hi = n - a;
      break;
    case 2:
      lo = a;
      hi = a + b;
      break;
    default:
      break;
  }
  lo = std::clamp(lo, 0, n);
  hi = std::clamp(hi, 0, n);
  start = lo;
  count = std::max(0, hi - lo);
}

int SolTargetPosition(int targetMode, int targetValue, int targetCount, int moved, bool samePile, int rangeStart) {
  const int count = samePile ? targetCount - moved : targetCount;
  int at = rangeStart;
  if (targetMode == 1) at = count - targetValue;
  if (targetMode == 2) at = targetValue;
  return std::clamp(at, 0, count);
}
