#include "app_preferences.h"

#include <algorithm>
#include <iterator>

#include "app_serialise_stream.h"
#include "qzf_application.h"
#include "qzf_helpers.h"

namespace {

// The length of a text of at most limit + 1 units; limit + 1 when it is longer.
int boundedLength(const char16_t* text, int limit) {
  int n = 0;
  while (n <= limit && text[n]) ++n;
  return n;
}

bool sameName(const char16_t* a, const char16_t* b) { return QZFWStrCompare(a, b) == 0; }

}  // namespace

CAppPreferences::CAppPreferences(CQZFObject* owner) : CQZFPreferences(owner, kPreferencesId, 1) {}

void CAppPreferences::setDefaults() {
  reservedByte_ = 0;
  reservedWord_ = 0;
  reservedLong_ = 0;
  clear();
}

QZStatus CAppPreferences::serialiseSettings(SerialiseStream& stream) {
  const auto fail = [this](int line, QZStatus code) {
    return CQZFApplication::report(this, "app_preferences", line, code);
  };
  QZStatus r = serialiseU8(stream, &reservedByte_, 1);
  if (r == QZ_OK) r = serialiseU16(stream, &reservedWord_, 1);
  if (r == QZ_OK) r = serialiseU32(stream, &reservedLong_, 1);
  if (r < 0) return fail(__LINE__, r);
  uint16_t count = static_cast<uint16_t>(count_), current = static_cast<uint16_t>(current_);
  r = serialiseU16(stream, &count, 1);
  if (r == QZ_OK) r = serialiseU16(stream, &current, 1);
  if (r < 0) return fail(__LINE__, r);
  // Only a valid current player's name is stored; otherwise eleven zero units.
  char16_t name[kNameUnits] = {};
  if (isValidIndex(current_)) std::copy(std::begin(names_[current_]), std::end(names_[current_]), name);
  r = serialiseU16Array(stream, kNameUnits, reinterpret_cast<uint16_t*>(name));
  if (r < 0) return fail(__LINE__, r);
  if (stream.mode != SERIALISE_READ_RECORD && stream.mode != SERIALISE_READ_MEMORY) return QZ_OK;
  // A record that no save of ours can have written is refused whole.
  const auto storedCount = static_cast<int16_t>(count), storedCurrent = static_cast<int16_t>(current);
  const bool countOk = storedCount >= 0 && storedCount <= kMaxUsers;
  const bool currentOk = storedCurrent == -1 || (storedCurrent >= 0 && storedCurrent < storedCount);
  const bool nameOk = boundedLength(name, kMaxNameLength) <= kMaxNameLength;
  if (!countOk || !currentOk || !nameOk) return fail(__LINE__, QZ_ERR_GENERAL);
  count_ = storedCount;
  current_ = storedCurrent;
  if (isValidIndex(current_)) std::copy(std::begin(name), std::end(name), names_[current_]);
  return QZ_OK;
}

bool CAppPreferences::getName(int index, char16_t* out) const {
  if (!isValidIndex(index)) return false;
  std::copy(std::begin(names_[index]), std::end(names_[index]), out);
  return true;
}

bool CAppPreferences::setName(int index, const char16_t* name) {
  if (!isValidIndex(index)) return false;
  std::fill(std::begin(names_[index]), std::end(names_[index]), u'\0');
  QZFWStrCopyN(names_[index], name, kMaxNameLength);
  return true;
}

bool CAppPreferences::getDatabaseName(int index, char16_t* out) const {
  if (!getName(index, out)) return false;
  QZFWStrCat(out, kDatabaseNameUnits, kDatabaseSuffix);
  return true;
}

bool CAppPreferences::addUser(const char16_t* name, int16_t* outIndex) {
  if (boundedLength(name, kMaxNameLength) > kMaxNameLength || count_ >= kMaxUsers || find(name) >= 0) return false;
  const int16_t index = count_++;
  if (!setName(index, name)) return false;
  current_ = index;
  if (outIndex) *outIndex = index;
  return true;
}

bool CAppPreferences::deleteUser(int index) {
  if (!isValidIndex(index) || count_ > kMaxUsers) return false;
  for (int i = index; i + 1 < count_; ++i) std::copy(std::begin(names_[i + 1]), std::end(names_[i + 1]), names_[i]);
  std::fill(std::begin(names_[count_ - 1]), std::end(names_[count_ - 1]), u'\0');
  if (index < current_) --current_;
  --count_;
  return true;
}

void CAppPreferences::clear() {
  for (auto& name : names_) std::fill(std::begin(name), std::end(name), u'\0');
  current_ = -1;
  count_ = 0;
}

int16_t CAppPreferences::find(const char16_t* name) const {
  for (int16_t i = 0; i < count_; ++i) {
    if (sameName(names_[i], name)) return i;
  }
  return -1;
}
