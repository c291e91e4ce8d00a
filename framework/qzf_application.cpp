#include "qzf_application.h"

#include "qz_lifecycle.h"
#include "qz_sound.h"
#include "qz_startup.h"
#include "qzf_audio.h"
#include "qzf_graphics.h"

namespace {

// Keys that arrive as key presses; every other code is a character.
bool isKeyCode(int code) {
  switch (code) {
    case 0: case 9: case 13: case 37: case 38: case 39: case 40: case 112: case 113: case 0xA003: return true;
    default: return false;
  }
}

}  // namespace

CQZFApplication::CQZFApplication() {
  setKind(kQZFKindApplication, this);
  setName("app");
  setFrameParameters(5, 10);
}

CQZFApplication::~CQZFApplication() {
  // The platform's stop sequence normally ran shutdown already; running it
  // again finds nothing left to stop.
  CQZFApplication::shutdown();
  classes_.clear();
}

int16_t CQZFApplication::report(CQZFObject* reporter, const char* source, int line, int16_t code) {
  CQZFObject* found = reporter->find(kQZFKindApplication);
  if (!found && reporter->getKind() == kQZFKindApplication) found = reporter;
  if (found) static_cast<CQZFApplication*>(found)->reportError(source, line, code);
  return code;
}

int16_t CQZFApplication::preInit(const QZFModeTable** out) {
  *out = nullptr;
  return 0;
}

const int16_t* CQZFApplication::getValueTable(int) { return nullptr; }

int16_t CQZFApplication::init() {
  const QZFModeTable* modes = nullptr;
  preInit(&modes);
  if (const int16_t r = registerClasses(); r < 0) return fail(102, r);
  audio_ = std::make_unique<CQZFAudioManager>(this);
  if (const int16_t r = audio_->init(); r < 0) return fail(114, r);
  graphics_ = std::make_unique<CQZFGraphics>(this);
  if (const int16_t r = graphics_->init(modes, !reinitialising_); r < 0) return fail(120, r);
  valueTable_ = getValueTable(graphics_->getDisplayKind());
  if (!valueTable_) return fail(125, -1);
  const int kind = graphics_->getDisplayKind();
  if (kind == 'H') graphics_->setDisplayOptions(0, 1, 0, 2);
  else if (kind == 'G') graphics_->setDisplayOptions(0, 1, 0, 1);
  else graphics_->setDisplayOptions(0, 3, 1, 0);
  initialised_ = true;
  return 0;
}

int16_t CQZFApplication::shutdown() {
  if (audio_) {
    audio_->shutdown();
    audio_.reset();
  }
  if (graphics_) {
    graphics_->shutdown();
    graphics_.reset();
  }
  valueTable_ = nullptr;
  initialised_ = false;
  return 0;
}

int16_t CQZFApplication::reinitialise() {
  reinitialising_ = true;
  int16_t r = shutdown();
  if (r < 0) {
    reinitialising_ = false;
    return fail(40, r);
  }
  r = init();
  reinitialising_ = false;
  if (r < 0) return fail(41, r);
  reinitialiseRequest_ = false;
  return 0;
}

int16_t CQZFApplication::tick() {
  if (resume_) {
    resume_ = false;
    QZSetFullScreen(1);
  }
  if (!initialised_) return 1;
  if (audioCountdown_ > 0 && --audioCountdown_ == 0) {
    applyAudioState();
    audioCountdown_ = -1;
  }
  if (minimiseRequest_) {
    QZCloseMainWindow();
    return -11;
  }
  if (reinitialiseRequest_ && reinitialise() < 0) return -11;
  onUpdate();
  if (audio_) audio_->update();
  const int16_t r = postUpdate();
  if (r < 0 || r == 1) return r;
  tickUserInterface();
  return 1;
}

void CQZFApplication::drawFrame() {
  if (minimiseRequest_ || !graphics_) return;
  graphics_->drawToScreen();
  graphics_->buildUpdateList();
  drawUserInterface();
  graphics_->flush();
  graphics_->flip();
  graphics_->clearGrid();
}

void CQZFApplication::repaintAll() {
  if (minimiseRequest_ || !initialised_ || !graphics_) return;
  graphics_->invalidateAll();
  drawFrame();
  graphics_->invalidateAll();
}

int CQZFApplication::onSystemEvent(const MSG& message) {
  switch (message.message) {
    case WM_SIZE: {
      const int width = LOWORD(message.lParam), height = HIWORD(message.lParam);
      if (graphics_ && width && height &&
          (width != graphics_->getScreenWidth() || height != graphics_->getScreenHeight()) && QZIsFullScreen()) {
        reinitialiseRequest_ = true;
      }
      return translateMessage(message);
    }
    case WM_SETFOCUS:
      minimiseRequest_ = false;
      active_ = true;
      setAudioActive(1);
      QZSetFullScreen(1);
      break;
    case WM_KILLFOCUS:
      active_ = false;
      setAudioActive(0);
      QZSetFullScreen(0);
      break;
    default: break;
  }
  return translateMessage(message);
}

int CQZFApplication::onPen(int type, int x, int y) { return penToUserInterface(type, x, y); }

int CQZFApplication::onKey(int code, int value) { return keyToUserInterface(code, value, isKeyCode(code)); }

int CQZFApplication::onSuspendResume(int active) {
  if (!active) setAudioActive(0);
  suspendResumeToUserInterface(active);
  return 2;
}

bool CQZFApplication::isStopping() const { return minimiseRequest_ || QZIsApplicationStopping(); }
void CQZFApplication::setScreenSuspended(int flag) { QZSuspendScreen(flag); }
int CQZFApplication::isScreenSuspended() const { return QZIsScreenSuspended(); }

void CQZFApplication::setFrameParameters(int16_t tickInterval, int16_t idleInterval) {
  QZStartTimer(tickInterval);
  QZSetIdleInterval(idleInterval);
}

void CQZFApplication::setAudioActive(int on) {
  if ((on != 0) == (audioState_ != 0) || audioCountdown_ > 0) return;
  audioState_ = on ? 1 : 0;
  applyAudioState();
}

void CQZFApplication::applyAudioState() { QZEnableSoundOutput(audioState_); }

std::unique_ptr<CQZFObject> CQZFApplication::createObject(const std::string& tag) const {
  const auto it = classes_.find(tag);
  return it == classes_.end() ? nullptr : it->second();
}
