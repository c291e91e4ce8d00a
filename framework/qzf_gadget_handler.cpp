#include "qzf_gadget_handler.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

#include "app_serialise_stream.h"
#include "qzf_application.h"

namespace {

bool isNavigationKey(int code) {
  switch (code) {
    case kQZFKeyTab:
    case kQZFKeyReturn:
    case kQZFKeyLeft:
    case kQZFKeyUp:
    case kQZFKeyRight:
    case kQZFKeyDown:
    case kQZFKeyBackTab: return true;
    default: return false;
  }
}

bool isReading(const SerialiseStream& stream) {
  return stream.mode == SERIALISE_READ_RECORD || stream.mode == SERIALISE_READ_MEMORY;
}

}  // namespace

CQZFGadgetHandler::CQZFGadgetHandler(CQZFObject* owner) : CQZFObject(owner) {
  setKind(kKind, this);
  setName("gdtHndlr");
}

int16_t CQZFGadgetHandler::fail(int line, int16_t code) {
  return CQZFApplication::report(this, "qzf_gadget_handler", line, code);
}

int16_t CQZFGadgetHandler::addGadget(const QZFGadgetDescription& description, std::unique_ptr<CQZFGadget> gadget) {
  if (!gadget) return QZ_ERR_GENERAL;
  gadget->setOwner(this);
  const int16_t result = gadget->init(description);
  if (result < 0) return result;
  CQZFGadget* added = gadget.get();
  gadgets_.push_back(std::move(gadget));
  if (!focused_ && added->takesFocus()) giveFocus(added);
  return result;
}

void CQZFGadgetHandler::giveFocus(CQZFGadget* gadget) {
  if (focused_) {
    focused_->invalidate();
    focused_->setHasFocus(false);
  }
  focused_ = gadget;
  if (focused_) {
    focused_->invalidate();
    focused_->setHasFocus(true);
  }
}

void CQZFGadgetHandler::patchReferences(const CQZFGadget& removed) {
  const int16_t id = removed.getId();
  for (auto& g : gadgets_) {
    for (int d = 0; d < 4; ++d) {
      if (g->getNeighbour(d) == static_cast<uint16_t>(id)) g->setNeighbour(d, removed.getNeighbour(d));
    }
    QZFAnchor x = g->getXAnchor(), y = g->getYAnchor();
    bool changed = false;
    for (auto [axis, own] : {std::pair{&x, removed.getXAnchor()}, std::pair{&y, removed.getYAnchor()}}) {
      if (!axis->anchored || axis->anchorId != id) continue;
      changed = true;
      if (own.anchored) {
        axis->anchorId = own.anchorId;
      } else {
        axis->anchored = false;
        axis->position = 0;
      }
    }
    if (changed) g->setAnchors(x, y);
  }
}

void CQZFGadgetHandler::removeGadget(uint16_t id) {
  const auto it = std::find_if(gadgets_.begin(), gadgets_.end(),
                               [id](const auto& g) { return g->getId() == static_cast<int16_t>(id); });
  if (it == gadgets_.end()) return;
  std::unique_ptr<CQZFGadget> removed = std::move(*it);
  gadgets_.erase(it);
  if (focused_ == removed.get()) {
    focused_ = nullptr;
    const auto next = std::find_if(gadgets_.begin(), gadgets_.end(), [](const auto& g) { return g->takesFocus(); });
    if (next != gadgets_.end()) giveFocus(next->get());
  }
  patchReferences(*removed);
}

void CQZFGadgetHandler::clear() {
  focused_ = nullptr;
  gadgets_.clear();
}

void CQZFGadgetHandler::setFocus(uint16_t id) {
  if (CQZFGadget* g = find(id)) giveFocus(g);
}

uint16_t CQZFGadgetHandler::getFocusedId() const {
  return focused_ ? static_cast<uint16_t>(focused_->getId()) : QZ_NO_ID;
}

CQZFGadget* CQZFGadgetHandler::find(uint16_t id) const {
  for (const auto& g : gadgets_) {
    if (g->getId() == static_cast<int16_t>(id)) return g.get();
  }
  return nullptr;
}

uint16_t CQZFGadgetHandler::indexOf(uint16_t id) const {
  for (size_t i = 0; i < gadgets_.size(); ++i) {
    if (gadgets_[i]->getId() == static_cast<int16_t>(id)) return static_cast<uint16_t>(i);
  }
  return QZ_NO_ID;
}

CQZFGadget* CQZFGadgetHandler::at(int index) const {
  return index >= 0 && index < getCount() ? gadgets_[static_cast<size_t>(index)].get() : nullptr;
}

void CQZFGadgetHandler::setValue(uint16_t id, int32_t value) {
  if (CQZFGadget* g = find(id)) g->setValue(value);
}
int32_t CQZFGadgetHandler::getValue(uint16_t id) const {
  const CQZFGadget* g = find(id);
  return g ? g->getValue() : 0;
}
void CQZFGadgetHandler::setText(uint16_t id, const char16_t* text) {
  if (CQZFGadget* g = find(id)) g->setText(text);
}
const char16_t* CQZFGadgetHandler::getText(uint16_t id) const {
  const CQZFGadget* g = find(id);
  return g ? g->getText() : nullptr;
}
void CQZFGadgetHandler::replaceInText(uint16_t id, const char16_t* token, const char16_t* value) {
  if (CQZFGadget* g = find(id)) g->replaceInText(token, value);
}
uint16_t CQZFGadgetHandler::getNeighbour(uint16_t id, int direction) const {
  const CQZFGadget* g = find(id);
  return g ? g->getNeighbour(direction) : QZ_NO_ID;
}

void CQZFGadgetHandler::setAnchors(uint16_t id, const QZFAnchor& x, const QZFAnchor& y) {
  CQZFGadget* g = find(id);
  if (!g) return;
  invalidateAll();
  g->setAnchors(x, y);
  layout();
  invalidateAll();
}

void CQZFGadgetHandler::selectInGroup(int16_t groupId, uint16_t selectedId) {
  for (auto& g : gadgets_) {
    if (g->getGroupId() == groupId) g->setValue(g->getId() == static_cast<int16_t>(selectedId) ? 1 : 0);
  }
}

void CQZFGadgetHandler::update() {
  for (size_t i = 0; i < gadgets_.size(); ++i) gadgets_[i]->update();
}
void CQZFGadgetHandler::draw(int level) {
  for (auto& g : gadgets_) g->drawAt(level);
}
void CQZFGadgetHandler::invalidateAll() {
  for (auto& g : gadgets_) g->invalidate();
}
bool CQZFGadgetHandler::isAnyDirty() const {
  return std::any_of(gadgets_.begin(), gadgets_.end(), [](const auto& g) { return g->isDirty(); });
}
void CQZFGadgetHandler::layout() {
  for (size_t i = 0; i < gadgets_.size(); ++i) gadgets_[i]->layout();
}

void CQZFGadgetHandler::getExtent(QZRect& rect) const {
  if (gadgets_.empty()) return;
  int left = 0x7FFF, top = 0x7FFF, right = 0, bottom = 0;
  for (const auto& g : gadgets_) {
    const QZRect& r = g->getRect();
    left = std::min<int>(left, r.x);
    top = std::min<int>(top, r.y);
    right = std::max(right, r.x + r.w);
    bottom = std::max(bottom, r.y + r.h);
  }
  rect = {static_cast<int16_t>(left), static_cast<int16_t>(top), static_cast<int16_t>(right - left),
          static_cast<int16_t>(bottom - top)};
}

CQZFGadget* CQZFGadgetHandler::walk(CQZFGadget* from, int direction, CQZFGadget** last) const {
  *last = from;
  // Each step reaches another gadget: a chain longer than the list loops.
  for (size_t steps = 0; steps < gadgets_.size(); ++steps) {
    CQZFGadget* next = find((*last)->getNeighbour(direction));
    if (!next) return nullptr;
    *last = next;
    if (next->canFocus()) return next;
  }
  return nullptr;
}

Handled CQZFGadgetHandler::navigate(int code) {
  CQZFGadget* last = nullptr;
  CQZFGadget* target = nullptr;
  switch (code) {
    case kQZFKeyTab:
    case kQZFKeyBackTab: {
      const bool forward = code == kQZFKeyTab;
      target = walk(focused_, forward ? kQZFRight : kQZFLeft, &last);
      // Only a chain that ended (no further neighbour) goes on in the second direction.
      if (!target && last->getNeighbour(forward ? kQZFRight : kQZFLeft) == QZ_NO_ID) {
        target = walk(last, forward ? kQZFDown : kQZFUp, &last);
      }
      break;
    }
    case kQZFKeyLeft: target = walk(focused_, kQZFLeft, &last); break;
    case kQZFKeyUp: target = walk(focused_, kQZFUp, &last); break;
    case kQZFKeyRight: target = walk(focused_, kQZFRight, &last); break;
    case kQZFKeyDown: target = walk(focused_, kQZFDown, &last); break;
    default: break;
  }
  if (!target) return Handled::kPassOn;
  giveFocus(target);
  return Handled::kDone;
}

Handled CQZFGadgetHandler::onKey(const QZFKeyEvent& key) {
  if (key.keyDown && isNavigationKey(key.code)) {
    if (!focused_) return Handled::kPassOn;
    const Handled own = focused_->onKey(key);
    if (own == Handled::kDone) return own;
    return navigate(key.code) == Handled::kDone ? Handled::kDone : own;
  }
  for (size_t i = gadgets_.size(); i-- > 0;) {
    if (i >= gadgets_.size()) continue;
    const Handled r = gadgets_[i]->onKey(key);
    if (r != Handled::kPassOn) return r;
  }
  return Handled::kPassOn;
}

Handled CQZFGadgetHandler::onPen(const QZFPenEvent& pen) {
  for (size_t i = gadgets_.size(); i-- > 0;) {
    if (i >= gadgets_.size()) continue;
    const Handled r = gadgets_[i]->onPen(pen);
    if (r != Handled::kPassOn) return r;
  }
  return Handled::kPassOn;
}

void CQZFGadgetHandler::onTextInput(const char16_t* text) {
  for (size_t i = 0; i < gadgets_.size(); ++i) static_cast<void>(gadgets_[i]->onTextInput(text));
}

int16_t CQZFGadgetHandler::serialise(SerialiseStream& stream) {
  uint16_t count = static_cast<uint16_t>(gadgets_.size());
  uint16_t focusedId = getFocusedId();
  int16_t r = serialiseU16(stream, &count, 1);
  if (r < 0) return fail(664, r);
  if (isReading(stream) && count != gadgets_.size()) return QZ_ERR_BAD_STATE;
  r = serialiseU16(stream, &focusedId, 1);
  if (r < 0) return fail(665, r);
  for (auto& g : gadgets_) {
    uint8_t tag[kNameSize] = {};
    std::memcpy(tag, g->getName(), sizeof tag);
    r = serialiseBytes(stream, kNameSize, tag);
    if (r < 0) return fail(674, r);
    if (isReading(stream) && std::memcmp(tag, g->getName(), sizeof tag) != 0) return QZ_ERR_BAD_STATE;
    r = g->serialise(stream);
    if (r < 0) return fail(678, r);
    g->layout();
  }
  if (focusedId != QZ_NO_ID) setFocus(focusedId);
  return 0;
}
