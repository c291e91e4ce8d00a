#include "qzf_ui.h"

#include <new>
#include <vector>

#include "qz_display.h"
#include "qz_lifecycle.h"
#include "qz_startup.h"
#include "qz_system.h"
#include "qzf_application.h"
#include "wince/audio.h"
#include "wince/shell.h"

namespace {

constexpr UINT kKeyDown = 256;
constexpr UINT kKeyUp = 257;
constexpr UINT kCharacter = 258;
constexpr UINT kComposition = WM_IME_COMPOSITION;
constexpr UINT kHotKey = 786;
constexpr LPARAM kCompositionResult = GCS_RESULTSTR;

constexpr WPARAM kReturn = 13;
constexpr WPARAM kEnd = 115;
constexpr WPARAM kVolumeUp = 117;
constexpr WPARAM kVolumeDown = 118;
constexpr WPARAM kSoftLeft = 112;
constexpr WPARAM kSoftRight = 113;
constexpr WPARAM kAction = 134;
constexpr int kBack = 27;

uint32_t systemVolume() {
  DWORD volume = 0;
  waveOutGetVolume(nullptr, &volume);
  return volume;
}

// A key steps one level: the right channel follows the left, or a stereo
// device would fall silent on that side at the first step.
void setSystemVolume(uint32_t level) { waveOutSetVolume(nullptr, MAKELONG(level, level)); }

}  // namespace

CQZFUI::CQZFUI(CQZFObject* owner)
    : CQZFObject(owner),
      lastHotKeyTime_(QZGetTicks()),
      deviceType_(QZGetDeviceType()),
      volume_{systemVolume, setSystemVolume},
      composition_([] { return readComposition(QZGetMainWindow()); }) {
  setKind(kKind, this);
}

CQZFUI::~CQZFUI() { shutdown(); }

std::unique_ptr<CQZFFormHandler> CQZFUI::makeFormHandler() {
  return std::unique_ptr<CQZFFormHandler>(new (std::nothrow) CQZFFormHandler(this));
}

int16_t CQZFUI::init() {
  formHandler_ = makeFormHandler();
  if (!formHandler_) return CQZFApplication::report(this, "qzf_ui", 32, QZ_ERR_NO_MEMORY);
  return 0;
}

void CQZFUI::shutdown() {
  if (!formHandler_) return;
  formHandler_->closeAllForms();
  formHandler_.reset();
}

void CQZFUI::tick() {
  if (formHandler_) formHandler_->tick();
}

void CQZFUI::onSuspendResume(int active) {
  if (formHandler_) formHandler_->setActive(active);
}

Handled CQZFUI::onPen(const QZFPenEvent& pen) { return formHandler_ ? formHandler_->onPen(pen) : Handled::kPassOn; }

Handled CQZFUI::onKey(const QZFKeyEvent& key) {
  return formHandler_ ? formHandler_->onKey(key) : Handled::kPassOn;
}

void CQZFUI::draw() {
  if (formHandler_) formHandler_->drawForms();
}

bool CQZFUI::isPocketPC() const { return (deviceType_ >> 8) == QZ_DEVICE_FAMILY_POCKETPC; }
bool CQZFUI::isSmartphone() const { return (deviceType_ >> 8) == QZ_DEVICE_FAMILY_SMARTPHONE; }

Handled CQZFUI::send(int code, bool keyDown) {
  return onKey(keyDown ? QZFKeyEvent::key(code) : QZFKeyEvent::character(code));
}

Handled CQZFUI::translateMessage(const MSG& message) {
  switch (message.message) {
    case kKeyDown: return onKeyDown(message.wParam);
    case kCharacter: return onCharacter(message.wParam);
    case kKeyUp: return onKeyUp(message.wParam);
    case kHotKey: return onHotKey(message.lParam);
    case kComposition: return onComposition(message.lParam);
    default: return Handled::kPassOn;
  }
}

Handled CQZFUI::onKeyDown(WPARAM key) {
  if (key == kEnd) {
    SetForegroundWindow(GetDesktopWindow());
    QZCloseMainWindow();
  }
  if (isPocketPC() && key == kAction) {
    // The return key reported with it does the work.
    returnKey_ = true;
    return Handled::kPassOn;
  }
  if (key == kReturn) {
    returnKey_ = true;
    return send(kReturn, true);
  }
  if (key >= 37 && key <= 40) return send(static_cast<int>(key), true);
  if (key == kSoftLeft || key == kSoftRight) softKey_ = true;
  return Handled::kPassOn;
}

Handled CQZFUI::onCharacter(WPARAM character) {
  if (returnKey_ && (character == kReturn || isSmartphone())) {
    returnKey_ = false;
    return Handled::kPassOn;
  }
  if (softKey_ && (character == kSoftLeft || character == kSoftRight)) {
    softKey_ = false;
    return Handled::kPassOn;
  }
  return send(static_cast<int>(character), false);
}

uint32_t CQZFUI::stepVolume(uint32_t volume, bool up) {
  const uint32_t v = volume & 0xFFFF;
  if (up) return v < 0xBFFF ? v + 0x4000 : 0xFFFF;
  return v < 0x4000 ? 0 : v - 0x4000;
}

Handled CQZFUI::onKeyUp(WPARAM key) {
  if (key != kVolumeUp && key != kVolumeDown) return Handled::kPassOn;
  QZCloseInputMode();
  if (volume_.get && volume_.set) volume_.set(stepVolume(volume_.get(), key == kVolumeUp));
  QZRestoreInputMode();
  return Handled::kDone;
}

Handled CQZFUI::onHotKey(LPARAM lParam) {
  // The shell reports a release as a hot key too; only presses count, or a
  // long press would act twice.
  if (LOWORD(lParam) & MOD_KEYUP) return Handled::kPassOn;
  const int key = HIWORD(lParam);
  if (key != kBack && key != kSoftLeft && key != kSoftRight) return Handled::kPassOn;
  // Only a repeat of the same key is a bounce: Back right after the soft key
  // that opened a menu is the player's next press and closes it.
  const uint32_t now = QZGetTicks();
  if ((lastHotKey_ == 0 || lastHotKey_ == key) && now - lastHotKeyTime_ <= kHotKeyGap) return Handled::kPassOn;
  lastHotKeyTime_ = now;
  lastHotKey_ = key;
  send(key, true);
  return Handled::kPassOn;
}

std::u16string CQZFUI::readComposition(HWND window) {
  HIMC context = ImmGetContext(window);
  if (!context) return {};
  std::u16string text;
  const LONG bytes = ImmGetCompositionString(context, GCS_RESULTSTR, nullptr, 0);
  if (bytes > 0) {
    // The string's size and two bytes more, zero-filled: it ends in a terminator.
    const DWORD size = static_cast<DWORD>(bytes) + 2;
    std::vector<char16_t> buffer((size + 1) / 2, u'\0');
    if (ImmGetCompositionString(context, GCS_RESULTSTR, buffer.data(), size) > 0) text = buffer.data();
  }
  ImmReleaseContext(window, context);
  return text;
}

Handled CQZFUI::onComposition(LPARAM lParam) {
  if ((lParam & kCompositionResult) && formHandler_ && composition_) {
    const std::u16string text = composition_();
    if (!text.empty()) formHandler_->onTextInput(text.c_str());
  }
  // The composed character is no key release: it must not step the volume.
  return Handled::kPassOn;
}
