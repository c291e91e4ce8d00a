#include "qzf_application.h"

#include <new>

#include "qz_lifecycle.h"
#include "qz_sound.h"
#include "qz_startup.h"
#include "qzf_audio.h"
#include "qzf_controls.h"
#include "qzf_gadget_classes.h"
#include "qzf_graphics.h"
#include "qzf_load_screen.h"
#include "qzf_metrics.h"
#include "qzf_minimise.h"
#include "qzf_resource.h"
#include "qzf_ui.h"

namespace {

// The load-screen steps of init: after the class registry, each start stage
// (resources, audio, graphics, value table, metrics, user interface), the
// display options and the end.
constexpr uint16_t kLoadScreenSteps = 9;

// Keys that arrive as key presses; every other code is a character.
bool isKeyCode(int code) {
  switch (code) {
    case 0:
    case 9:
    case 13:
    case 37:
    case 38:
    case 39:
    case 40:
    case 112:
    case 113:
    case 0xA003: return true;
    default: return false;
  }
}

}  // namespace

CQZFApplication::CQZFApplication() : horizontal_(&QZFGetScalePair(128)), vertical_(&QZFGetScalePair(128)) {
  setKind(kKind, this);
  setName("app");
  setFrameParameters(5, 10);
}

CQZFApplication::~CQZFApplication() {
  // The platform's stop sequence normally ran shutdown already. The objects
  // the concrete application lent are gone by now (its members die first),
  // so only the base's own managers are stopped here.
  loadScreen_ = nullptr;
  minimise_ = nullptr;
  fontManager_ = nullptr;
  controls_ = nullptr;
  stopManagers();
  classes_.clear();
}

int16_t CQZFApplication::report(CQZFObject* reporter, const char* source, int line, int16_t code) {
  CQZFApplication* found = reporter->findOwner<CQZFApplication>();
  if (!found && reporter->getKind() == kKind) found = dynamic_cast<CQZFApplication*>(reporter);
  if (found) found->reportError(source, line, code);
  return code;
}

int16_t CQZFApplication::preInit(const QZFModeTable** out) {
  *out = nullptr;
  return 0;
}

std::span<const int16_t> CQZFApplication::getValueTable(int) { return {}; }

void CQZFApplication::setScaling(int horizontalFactor, int verticalFactor) {
  horizontal_ = &QZFGetScalePair(horizontalFactor);
  vertical_ = &QZFGetScalePair(verticalFactor);
}

std::unique_ptr<CQZFUI> CQZFApplication::makeUserInterface() {
  return std::unique_ptr<CQZFUI>(new (std::nothrow) CQZFUI(this));
}

void CQZFApplication::step() const {
  if (loadScreen_) loadScreen_->step();
}

int16_t CQZFApplication::init() {
  const QZFModeTable* modes = nullptr;
  // The result is the graphics mode, which the graphics start takes from the mode table.
  static_cast<void>(preInit(&modes));
  if (loadScreen_) loadScreen_->addSteps(kLoadScreenSteps);
  if (const int16_t r = registerClasses(); r < 0) return fail(102, r);
  step();
  if (const int16_t r = startManagers(modes); r < 0) return r;
  const int kind = graphics_->getDisplayKind();
  if (kind == 'H') graphics_->setDisplayOptions(0, 1, 0, 2);
  else if (kind == 'G') graphics_->setDisplayOptions(0, 1, 0, 1);
  else graphics_->setDisplayOptions(0, 3, 1, 0);
  step();
  initialised_ = true;
  step();
  return 0;
}

// Each manager is made and started in turn, with a load-screen step after
// each; on a failure the ones made so far stay for shutdown.
int16_t CQZFApplication::startManagers(const QZFModeTable* modes) {
  resources_.reset(new (std::nothrow) CQZFResourceManager(this));
  if (!resources_) return fail(107, QZ_ERR_NO_MEMORY);
  if (const int16_t r = resources_->init(); r < 0) return fail(108, r);
  step();
  audio_.reset(new (std::nothrow) CQZFAudioManager(this));
  if (!audio_) return fail(113, QZ_ERR_NO_MEMORY);
  if (const int16_t r = audio_->init(); r < 0) return fail(114, r);
  step();
  graphics_.reset(new (std::nothrow) CQZFGraphics(this));
  if (!graphics_) return fail(119, QZ_ERR_NO_MEMORY);
  if (const int16_t r = graphics_->init(modes, !reinitialising_); r < 0) return fail(120, r);
  step();
  valueTable_ = getValueTable(graphics_->getDisplayKind());
  if (valueTable_.empty()) return fail(125, QZ_ERR_GENERAL);
  if (loadScreen_) {
    // A load screen without its pictures still counts the steps.
    static_cast<void>(loadScreen_->loadImages(0));
    imagesLoaded_ = true;
  }
  step();
  metrics_.reset(new (std::nothrow) CQZFMetrics(this));
  if (!metrics_) return fail(132, QZ_ERR_NO_MEMORY);
  step();
  ui_ = makeUserInterface();
  if (!ui_) return fail(141, QZ_ERR_NO_MEMORY);
  if (const int16_t r = ui_->init(); r < 0) return fail(142, r);
  step();
  return 0;
}

int16_t CQZFApplication::shutdown() {
  stopManagers();
  return 0;
}

void CQZFApplication::stopManagers() {
  if (audio_) {
    audio_->shutdown();
    audio_.reset();
    step();
  }
  if (ui_) {
    ui_->shutdown();
    ui_.reset();
    step();
  }
  if (metrics_ || imagesLoaded_) {
    metrics_.reset();
    if (imagesLoaded_ && loadScreen_) loadScreen_->releaseImages();
    imagesLoaded_ = false;
    step();
  }
  if (graphics_) {
    graphics_->shutdown();
    graphics_.reset();
    valueTable_ = {};
    step();
  }
  if (resources_) {
    resources_->shutdown();
    resources_.reset();
    step();
  }
  // The initialised flag stays: a re-initialisation that failed half way is
  // tried again by the next tick.
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
  if (metrics_) metrics_->frame();
  if (audio_) audio_->update();
  const int16_t r = postUpdate();
  if (r < 0 || r == 1) return r;
  if (ui_) ui_->tick();
  return 1;
}

void CQZFApplication::drawFrame() {
  if (minimiseRequest_ || !ui_ || !graphics_) return;
  graphics_->drawToScreen();
  graphics_->buildUpdateList();
  ui_->draw();
  if (minimise_) minimise_->drawOverlay();
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
      return translate(message);
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
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (controls_) {
        controls_->noteKey({static_cast<int32_t>(message.wParam), static_cast<int32_t>(message.lParam),
                            message.message == WM_KEYDOWN});
      }
      break;
    default: break;
  }
  return translate(message);
}

int CQZFApplication::translate(const MSG& message) {
  return toStatus(ui_ ? ui_->translateMessage(message) : Handled::kPassOn);
}

int CQZFApplication::onPen(int type, int x, int y) {
  const QZFPenEvent pen = QZFPenEvent::make(type, x, y);
  if (minimise_ && minimise_->onPen(pen) == Handled::kDone) return toStatus(Handled::kDone);
  return toStatus(ui_ ? ui_->onPen(pen) : Handled::kPassOn);
}

int CQZFApplication::onKey(int code, int value) {
  return toStatus(ui_ ? ui_->onKey({code, value, isKeyCode(code)}) : Handled::kPassOn);
}

int CQZFApplication::onSuspendResume(int active) {
  if (!active) setAudioActive(0);
  if (ui_) ui_->onSuspendResume(active);
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

int16_t CQZFApplication::registerClasses() {
  QZFRegisterGadgetClasses(*this);
  return 0;
}

std::unique_ptr<CQZFObject> CQZFApplication::createObject(const std::string& tag) const {
  const auto it = classes_.find(tag);
  return it == classes_.end() ? nullptr : it->second();
}
