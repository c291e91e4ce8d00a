#include "app_storage_notices.h"

#include <algorithm>

#include "app_application.h"
#include "app_form_ids.h"
#include "qz_lifecycle.h"
#include "qz_preferences.h"
#include "qzf_resource.h"

namespace {

constexpr uint16_t kTitle = 2030;
constexpr uint16_t kCopyKept = 2035;
constexpr uint16_t kCopyFailed = 2036;
constexpr uint16_t kText = 20;
constexpr uint16_t kButton = 1;
constexpr int32_t kOk = 1010;

// The text string of each kind, in the order of the kinds.
constexpr uint16_t kKindText[] = {2031, 2032, 2033, 2034, 2037};

void replaceAll(std::u16string& text, std::u16string_view token, const std::u16string& value) {
  for (size_t at = text.find(token); at != std::u16string::npos; at = text.find(token, at + value.size())) {
    text.replace(at, token.size(), value);
  }
}

// The copy's file name: the folder adds nothing a player can use.
std::u16string fileNameOf(const std::u16string& path) {
  const size_t slash = path.rfind(u'\\');
  return slash == std::u16string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void CAppStorageNotices::addRestoreDamage(const char16_t* player, const CQZFFormHandler::RestoreDamage& damage,
                                          bool profileLost) {
  Kind kind = kPartDropped;
  if (profileLost) kind = kProfileLost;
  else if (!damage.formsDropped) kind = kSavedGameDropped;
  pending_.push_back({kind, player ? player : u"", damage.copy});
}

void CAppStorageNotices::addSaveFailure() {
  const bool pending =
      std::any_of(pending_.begin(), pending_.end(), [](const Notice& n) { return n.kind == kSaveFailed; });
  if (!pending) pending_.push_back({kSaveFailed, u"", u""});
}

std::u16string CAppStorageNotices::textOf(const Notice& notice) {
  std::u16string text = CQZFResourceManager::getStringText(kKindText[notice.kind]);
  if (notice.kind != kSaveFailed) {
    text += u" ";
    text += CQZFResourceManager::getStringText(notice.copy.empty() ? kCopyFailed : kCopyKept);
  }
  replaceAll(text, u"#a", notice.player);
  replaceAll(text, u"#b", fileNameOf(notice.copy));
  return text;
}

void CAppStorageNotices::showNext() {
  std::u16string copy;
  if (QZTakePreferencesDamage(copy)) pending_.push_back({kSettingsDamaged, u"", copy});
  CQZFFormHandler* handler = app_.getFormHandler();
  if (pending_.empty() || !handler || handler->findForm(kAppFormUserAlert)) return;
  const Notice notice = pending_.front();
  pending_.pop_front();
  if (app_.openForm(kAppFormUserAlert, kAppTagAlert, 0) < 0) return;
  CQZFForm* alert = handler->findForm(kAppFormUserAlert);
  if (!alert) return;
  alert->setTitleById(kTitle);
  alert->setGadgetText(kText, textOf(notice).c_str());
  alert->setGadgetValue(kButton, kOk);
}

void CAppStorageNotices::tellSaveFailureNow() {
  const auto failed =
      std::find_if(pending_.begin(), pending_.end(), [](const Notice& n) { return n.kind == kSaveFailed; });
  if (failed == pending_.end()) return;
  const std::u16string text = textOf(*failed);
  pending_.erase(failed);
  QZShowApplicationMessage(text.c_str());
}
