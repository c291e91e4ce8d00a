#include "qzf_controls.h"

#include <algorithm>
#include <new>

#include "qz_display.h"
#include "qz_lifecycle.h"
#include "qz_startup.h"
#include "qzf_application.h"
#include "qzf_key_names.h"

namespace {

constexpr int kMaxKeyNames = 5;

}  // namespace

CQZFControls::CQZFControls(CQZFObject* owner) : CQZFObject(owner) { setKind(kQZFKindControls, this); }

CQZFControls::~CQZFControls() { shutdown(); }

int16_t CQZFControls::init(int keyStates, QZKeyMapCallback defaultKeys) {
  keyStates_ = keyStates != 0;
  manager_.reset(new (std::nothrow) QZWindowsControlsManager());
  if (!manager_) return CQZFApplication::report(this, "qzf_controls", 28, QZ_ERR_NO_MEMORY);
  if (const int16_t r = manager_->init(&QZGetApplicationConfig(), defaultKeys); r < 0) {
    return CQZFApplication::report(this, "qzf_controls", 35, r);
  }
  if ((QZGetDeviceType() >> 8) == QZ_DEVICE_FAMILY_POCKETPC) manager_->openInput();
  return 0;
}

void CQZFControls::shutdown() {
  if (!manager_) return;
  manager_->shutdown();
  manager_.reset();
}

void CQZFControls::resetKeyStates() {
  if (manager_) manager_->resetKeyStates();
}

void CQZFControls::noteKey(uint32_t virtualKey, uint32_t keyData, bool isDown) {
  if (manager_) manager_->noteKeyDown(static_cast<int>(virtualKey), keyData, isDown ? 1 : 0);
}

void CQZFControls::keyName(char16_t* out, int capacity, int control) const {
  QZFKeyName(manager_ ? manager_->firstKey(control) : 0, out, std::min(capacity, kKeyNameLength + 1));
}

void CQZFControls::keyNames(char16_t* out, int capacity, int control) const {
  uint8_t keys[kMaxKeyNames] = {};
  const int count = manager_ ? manager_->keysOf(control, kMaxKeyNames, keys) : 0;
  QZFKeyNames(keys, count, out, capacity);
}

bool CQZFControls::isReservedKey(int key) {
  switch (key) {
    case 115: case 131: case 132: case 145: case 176: case 177: case 179: return true;
    default: return false;
  }
}

int CQZFControls::assign(int control, int key, bool exclusive) {
  if (isReservedKey(key)) return 2;
  if (!manager_) return QZ_ERR_GENERAL;
  manager_->assign(control, key, exclusive);
  return 0;
}

int CQZFControls::keyState(int key) const {
  if (!keyStates_ || isReservedKey(key) || !manager_) return 0;
  return manager_->keyState(key);
}
