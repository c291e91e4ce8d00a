#include "qzf_key_names.h"

#include <algorithm>

#include "qzf_helpers.h"
#include "qzf_resource.h"

namespace {

constexpr int kMaxNames = 5;
constexpr int kNameUnits = 21;  // 20 characters and the terminator

// The resource string naming a key; 0 for none.
uint16_t stringOf(int key, bool actionIsReturn) {
  switch (key) {
    case 0: return kQZFNoKeyString;
    case 13: return 14;
    case 38: return 10;
    case 40: return 11;
    case 37: return 12;
    case 39: return 13;
    case 114: return 21;
    case 115: return 22;
    case 117: return 23;
    case 118: return 24;
    case 134: return actionIsReturn ? 14 : 0;
    default: return key >= 193 && key <= 198 ? static_cast<uint16_t>(key - 178) : 0;
  }
}

bool namedByItself(int key) {
  return (key >= 48 && key <= 57) || (key >= 65 && key <= 90) || (key >= 97 && key <= 113) || key == 116 ||
         (key >= 119 && key <= 122);
}

void nameKey(int key, bool shortForm, char16_t* out, int capacity) {
  if (capacity < 1) return;
  if (const uint16_t id = stringOf(key, shortForm)) {
    out[0] = 0;
    CQZFResourceManager::getString(id, out, capacity);
  } else if (namedByItself(key) && capacity >= 2) {
    out[0] = static_cast<char16_t>(key);
    out[1] = 0;
  } else {
    QZFFormatString(out, capacity, shortForm ? u"Btn %d" : u"Button %d", key);
  }
}

}  // namespace

void QZFKeyName(int key, char16_t* out, int capacity) {
  nameKey(key, false, out, capacity);
}

void QZFKeyNames(const uint8_t* keys, int count, char16_t* out, int capacity) {
  if (capacity < 1) return;
  count = std::min(count, kMaxNames);
  if (count <= 0) {
    nameKey(0, true, out, capacity);
    return;
  }
  out[0] = 0;
  int length = 0;
  for (int i = count - 1; i >= 0; --i) {
    char16_t name[kNameUnits];
    nameKey(keys[i], true, name, kNameUnits);
    if (i != count - 1) QZFFormatString(out + length, capacity - length, u"/");
    length = static_cast<int>(QZFWStrLength(out));
    QZFFormatString(out + length, capacity - length, u"%s", name);
    length = static_cast<int>(QZFWStrLength(out));
  }
}
