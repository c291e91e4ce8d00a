#include "qzf_form_handler.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <initializer_list>
#include <new>
#include <utility>

#include "app_serialise_stream.h"
#include "qz_core_database.h"
#include "qz_file_access.h"
#include "qz_preferences.h"
#include "qzf_application.h"
#include "qzf_database.h"
#include "qzf_helpers.h"

CQZFFormHandler::CQZFFormHandler(CQZFObject* owner) : CQZFObject(owner), language_(QZFGetLanguage()) {
  setKind(kKind, this);
}

CQZFFormHandler::~CQZFFormHandler() {
  for (auto& form : forms_) form->close();
  tick();
}

int16_t CQZFFormHandler::openForm(uint16_t formId, std::unique_ptr<CQZFForm> form, uint32_t param) {
  if (!form) return QZ_ERR_NO_MEMORY;
  form->setOwner(this);
  const int16_t result = form->open(formId, param);
  if (result != 0) return result;
  CQZFForm* opened = form.get();
  if (CQZFForm* below = top()) below->obscure();
  forms_.push_back(std::move(form));
  opened->reveal();
  return 0;
}

void CQZFFormHandler::closeForm(uint16_t formId) {
  if (CQZFForm* form = findForm(formId)) {
    form->invalidate();
    form->close();
  }
}

void CQZFFormHandler::closeFormsTo(uint16_t formId, bool inclusive) {
  for (size_t i = forms_.size(); i-- > 0;) {
    CQZFForm& form = *forms_[i];
    const bool last = form.getFormId() == formId;
    if (last && !inclusive) return;
    form.invalidate();
    form.close();
    if (last) return;
  }
}

void CQZFFormHandler::closeAllForms() {
  for (auto& form : forms_) {
    form->invalidate();
    form->close();
  }
}

uint16_t CQZFFormHandler::getTopFormId() const { return top() ? top()->getFormId() : QZ_NO_ID; }

CQZFForm* CQZFFormHandler::findForm(uint16_t formId) const {
  for (size_t i = forms_.size(); i-- > 0;) {
    if (forms_[i]->getFormId() == formId) return forms_[i].get();
  }
  return nullptr;
}

std::unique_ptr<CQZFForm> CQZFFormHandler::createObjectByTag(const std::string& tag) const {
  const CQZFApplication* app = findOwner<CQZFApplication>();
  return app ? app->createObject<CQZFForm>(tag) : nullptr;
}

bool CQZFFormHandler::passesActivityOn() const {
  const CQZFApplication* app = findOwner<CQZFApplication>();
  return !app || !(app->isStopping() || app->isReinitialiseRequested());
}

void CQZFFormHandler::remove(size_t index) {
  CQZFForm* form = forms_[index].get();
  const bool passOn = passesActivityOn();
  if (passOn) form->obscure();
  static_cast<void>(form->onEvent({kQZFFormRemoved}));
  // The form's own events may have opened forms above it: find it again.
  for (index = forms_.size(); index-- > 0 && forms_[index].get() != form;) {
  }
  std::unique_ptr<CQZFForm> removed = std::move(forms_[index]);
  const bool wasTop = index + 1 == forms_.size();
  forms_.erase(forms_.begin() + static_cast<std::ptrdiff_t>(index));
  if (wasTop && passOn && top()) top()->reveal();
}

void CQZFFormHandler::tick() {
  // Top down; forms opened meanwhile land above the walk and wait for the
  // next tick, and only the tick removes forms.
  for (size_t i = forms_.size(); i-- > 0;) {
    if (i >= forms_.size()) continue;
    if (forms_[i]->isClosed()) {
      remove(i);
    } else {
      forms_[i]->update();
    }
  }
}

Handled CQZFFormHandler::onPen(const QZFPenEvent& pen) { return top() ? top()->onPen(pen) : Handled::kPassOn; }
Handled CQZFFormHandler::onKey(const QZFKeyEvent& key) { return top() ? top()->onKey(key) : Handled::kPassOn; }
Handled CQZFFormHandler::onTextInput(const char16_t* text) {
  return top() ? top()->onTextInput(text) : Handled::kPassOn;
}

void CQZFFormHandler::drawForms() {
  for (size_t i = forms_.size(); i-- > 0;) forms_[i]->restoreBackground();
  for (size_t i = 0; i < forms_.size(); ++i) forms_[i]->draw();
}

void CQZFFormHandler::setActive(int active) {
  active_ = active != 0;
  for (size_t i = forms_.size(); i-- > 0;) forms_[i]->setActive(active_);
}

// --- Saved forms ---------------------------------------------------------------

namespace {

constexpr uint32_t kUserType = QZFourCC("USER");
constexpr uint32_t kSavedFormType = QZFourCC("Afrm");
constexpr uint16_t kRecordVersion = 2;
constexpr uint16_t kRecordHeadSize = 20;

std::unique_ptr<CQZFRsrcDatabase> makeDatabase() {
  std::unique_ptr<CQZFRsrcDatabase> database(new (std::nothrow) CQZFRsrcDatabase());
  if (database && !database->isValid()) database.reset();
  return database;
}

int16_t firstFailure(std::initializer_list<int16_t> results) {
  for (int16_t r : results) {
    if (r < 0) return r;
  }
  return 0;
}

}  // namespace

int16_t CQZFFormHandler::writeRecord(CQZFRsrcDatabase& database, CQZFForm& form, uint16_t id, int32_t stateSize) {
  const int32_t total = stateSize + kRecordHeadSize;
  // A stream reaches 65,535 bytes at most: a larger state cannot be kept.
  if (stateSize < 0 || total > 0xFFFF) return QZ_ERR_OVERRUN;
  const uint8_t first = 0;
  int16_t r = firstFailure({database.addResource(kSavedFormType, id, 1, &first),
                            database.resizeResource(kSavedFormType, id, static_cast<uint32_t>(total))});
  uint8_t* bytes = r < 0 ? nullptr : database.getResource(kSavedFormType, id);
  if (!bytes) return QZ_ERR_GENERAL;
  SerialiseStream stream{SERIALISE_WRITE_RECORD, bytes, static_cast<uint16_t>(total), 0, database.getCore()};
  uint32_t checksum = 0;
  uint16_t version = kRecordVersion, formId = form.getFormId(), language = language_;
  uint8_t tag[kNameSize] = {};
  std::memcpy(tag, form.getName(), sizeof tag);
  r = firstFailure({serialiseU32(stream, &checksum, 1), serialiseU16(stream, &version, 1),
                    serialiseU16(stream, &formId, 1), serialiseBytes(stream, kNameSize, tag),
                    serialiseU16(stream, &language, 1)});
  if (r == 0) r = form.saveState(stream, &database);
  if (r == 0) r = database.putU32(bytes, 0, QZComputePreferencesChecksum(bytes, static_cast<uint32_t>(total)));
  // Resources stay in memory until the database closes: releasing tells nothing.
  static_cast<void>(database.releaseResource(kSavedFormType, id));
  return r;
}

// The new records replace the old ones in memory and reach the file in one
// atomic write at the close: a failure on the way leaves the old file whole.
int16_t CQZFFormHandler::saveForms(uint32_t creator, const char16_t* name) {
  std::unique_ptr<CQZFRsrcDatabase> database = makeDatabase();
  if (!database) return CQZFApplication::report(this, "qzf_form_handler", 234, QZ_ERR_NO_MEMORY);
  if (std::find(keepFiles_.begin(), keepFiles_.end(), name) != keepFiles_.end() && !keepDamagedCopy(name)) {
    return QZ_ERR_OVERRUN;
  }
  QZStatus r = database->open(name, creator, kUserType, false);
  if (r == 0) r = database->removeAllResources();
  if (r != 0) {
    static_cast<void>(database->discard());
    r = database->create(name, creator, kUserType);
    if (r == 0) r = database->open(name, creator, kUserType, false);
    if (r != 0) return r;
  }
  uint16_t id = 0;
  for (size_t i = 0; i < forms_.size(); ++i) {
    CQZFForm& form = *forms_[i];
    static_cast<void>(form.onEvent({kQZFFormSaving}));
    const int32_t size = form.getSaveSize();
    if (form.getName()[0] && !form.isClosed()) {
      if (writeRecord(*database, form, id, size) < 0) {
        static_cast<void>(database->discard());
        return QZ_ERR_OVERRUN;
      }
      ++id;
    }
    static_cast<void>(form.onEvent({kQZFFormSaved}));
  }
  return database->close() < 0 ? QZ_ERR_OVERRUN : 0;
}

bool CQZFFormHandler::restoreRecord(CQZFRsrcDatabase& database, uint8_t* record, uint16_t size) {
  if (size < kRecordHeadSize) return false;
  SerialiseStream stream{SERIALISE_READ_RECORD, record, size, 0, database.getCore()};
  uint32_t checksum = 0;
  uint16_t version = 0, formId = 0, language = 0;
  char tag[kNameSize + 1] = {};
  static_cast<void>(serialiseU32(stream, &checksum, 1));
  if (checksum != QZComputePreferencesChecksum(record, size)) return false;
  static_cast<void>(serialiseU16(stream, &version, 1));
  if (version != kRecordVersion) return false;
  static_cast<void>(serialiseU16(stream, &formId, 1));
  static_cast<void>(serialiseBytes(stream, kNameSize, reinterpret_cast<uint8_t*>(tag)));
  static_cast<void>(serialiseU16(stream, &language, 1));
  std::unique_ptr<CQZFForm> form = createObjectByTag(tag);
  if (!form || (language != language_ && !form->isAnyLanguage())) return false;
  if (openForm(formId, std::move(form), 0) != 0 || getTopFormId() != formId) return false;
  CQZFForm& opened = *top();
  static_cast<void>(opened.onEvent({kQZFFormRestoring}));
  if (opened.restoreState(stream, &database) != 0) {
    // A form read only in part is never kept.
    opened.invalidate();
    opened.close();
    return false;
  }
  static_cast<void>(opened.onEvent({kQZFFormRestored}));
  return true;
}

int16_t CQZFFormHandler::failRestore(int32_t keepFormId) {
  bool kept = false;
  for (auto& form : forms_) {
    if (keepFormId != -1 && form->getFormId() == keepFormId && !form->isClosed()) {
      kept = true;
      continue;
    }
    form->invalidate();
    form->close();
  }
  if (kept) return 4;
  closeAllForms();
  return QZ_ERR_SIZE_MISMATCH;
}

int16_t CQZFFormHandler::restoreRecords(CQZFRsrcDatabase& database, int32_t keepFormId) {
  for (uint16_t i = 0;; ++i) {
    const uint16_t size = database.getResourceSize(kSavedFormType, i);
    if (size == 0) return 0;
    uint8_t* record = database.getResource(kSavedFormType, i);
    const bool good = record && restoreRecord(database, record, size);
    static_cast<void>(database.releaseResource(kSavedFormType, i));
    if (!good) {
      damage_.formsDropped = true;
      return failRestore(keepFormId);
    }
  }
}

bool CQZFFormHandler::keepDamagedCopy(const char16_t* name) {
  std::erase(keepFiles_, std::u16string(name));
  CQZCoreDatabaseWin32 finder;
  std::u16string path;
  if (!finder.findFileByName(name, path) || QZFileKeepCopy(path, damage_.copy)) return true;
  damage_.copy.clear();
  keepFiles_.emplace_back(name);
  return false;
}

int16_t CQZFFormHandler::restoreForms(uint32_t creator, const char16_t* name, bool deleteAfter, int32_t keepFormId) {
  std::unique_ptr<CQZFRsrcDatabase> database = makeDatabase();
  if (!database) return CQZFApplication::report(this, "qzf_form_handler", 332, QZ_ERR_NO_MEMORY);
  damage_ = RestoreDamage{};
  const QZStatus opened = database->open(name, creator, kUserType, false);
  if (opened != 0) {
    // A file of that name that does not open is damaged, not missing.
    CQZCoreDatabaseWin32 finder;
    std::u16string path;
    if (finder.findFileByName(name, path)) {
      damage_.formsDropped = true;
      keepDamagedCopy(name);
    }
    return opened;
  }
  const int16_t result = restoreRecords(*database, keepFormId);
  if (!database->isWhole() || database->countUnreadResources() > 0) damage_.formsDropped = true;
  if (damage_.formsDropped || damage_.partsDropped > 0) keepDamagedCopy(name);
  if (result >= 0 && deleteAfter) static_cast<void>(database->deleteDatabase());
  return result;
}

bool CQZFFormHandler::takeRestoreDamage(RestoreDamage& out) {
  if (!damage_.formsDropped && damage_.partsDropped == 0) return false;
  out = std::exchange(damage_, RestoreDamage{});
  return true;
}
