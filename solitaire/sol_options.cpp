#include "sol_options.h"

#include <cstring>

#include "sol_platform.h"
#include "sol_utils.h"

namespace {

const WCHAR kRoot[] = u"SOFTWARE\\Norvex Software\\Tessivar\\";

const WCHAR* KindName(SolRegKind kind) {
  switch (kind) {
    case SolRegKind::Prefs:
      return u"\\prefs";
    case SolRegKind::GameState:
      return u"\\gameState";
    case SolRegKind::Statistics:
      return u"\\statistics";
    case SolRegKind::BestScores:
      return u"\\bestScores";
  }
  return u"";
}

struct Field {
  const WCHAR* name;
  DWORD type;
  DWORD size;
  void* data;
};

// The values in registry order with their types and sizes.
template <class Options, class Visit>
void ForEachField(Options& o, Visit&& visit) {
  auto* self = const_cast<SolOptions*>(&o);
  const Field fields[] = {
      {u"timedGame", kSolRegBinary, 1, &self->timedGame},
      {u"timeLimit", kSolRegDword, 4, &self->timeLimit},
      {u"suitsNumber", kSolRegDword, 4, &self->suitsNumber},
#if !CARROWIN_SPIDER
      {u"gameType", kSolRegDword, 4, &self->gameType},
#endif
      {u"animation", kSolRegBinary, 1, &self->animation},
      {u"playMode", kSolRegBinary, 1, &self->playMode},
      {u"bgColor", kSolRegDword, 4, &self->bgColor},
      {u"softkeyMenu", kSolRegBinary, 1, &self->softkeyMenu},
      {u"cardBack", kSolRegDword, 4, &self->cardBack},
      {u"showTimer", kSolRegBinary, 1, &self->showTimer},
      {u"curGameNumber", kSolRegDword, 4, &self->curGameNumber},
      {u"lastEnteredName", kSolRegNone, 2 * SolOptions::kNameUnits, self->lastEnteredName},
  };
  for (const Field& f : fields) visit(f);
}

bool ValidTimeLimit(uint32_t minutes) { return minutes == 1 || minutes == 3 || minutes == 5 || minutes == 10; }

}  // namespace

CeString SolRegistryPath(const WCHAR* gameName, SolRegKind kind, const char* variantName) {
  CeString path(kRoot);
  path += gameName;
  path += KindName(kind);
  if (kind != SolRegKind::Prefs && variantName) {
    CeString variant;
    WidenText(variantName, variant);
    path += u"\\";
    path += variant;
  }
  return path;
}

void SolWriteRecord(const WCHAR* gameName, SolRegKind kind, const char* variantName, const void* data, DWORD size) {
  SolRegKey key;
  const CeString path = SolRegistryPath(gameName, kind, variantName);
  if (key.Create(path.GetString(), nullptr)) key.Set(u"data", kSolRegDword, data, size);
}

void SolOptions::Load(const WCHAR* gameName) {
  const SolOptions defaults;
  *this = defaults;
  SolRegKey key;
  bool created = false;
  const CeString path = SolRegistryPath(gameName, SolRegKind::Prefs);
  if (!key.Create(path.GetString(), &created)) return;
  if (created) {
    Save(gameName);
    return;
  }
  ForEachField(*this, [&](const Field& f) {
    DWORD size = f.size;
    // Only a value of exactly the field's size is taken; anything else would
    // leave part of the field stale.
    if (key.Query(f.name, nullptr, f.data, &size) && size == f.size) return;
    const auto* base = reinterpret_cast<const uint8_t*>(&defaults);
    std::memcpy(f.data, base + (static_cast<uint8_t*>(f.data) - reinterpret_cast<uint8_t*>(this)), f.size);
  });
  lastEnteredName[kNameUnits - 1] = 0;
  if (!ValidTimeLimit(timeLimit)) timeLimit = defaults.timeLimit;
  if (cardBack > 3) cardBack = defaults.cardBack;
  if (playMode > 3) playMode = defaults.playMode;
}

void SolOptions::Save(const WCHAR* gameName) const {
  SolRegKey key;
  const CeString path = SolRegistryPath(gameName, SolRegKind::Prefs);
  if (!key.Create(path.GetString(), nullptr)) return;
  ForEachField(*this, [&](const Field& f) { key.Set(f.name, f.type, f.data, f.size); });
}

uint16_t SolOptions::RuleSetId() {
  if (suitsNumber != 1 && suitsNumber != 2) suitsNumber = 4;
#if CARROWIN_SPIDER
  return static_cast<uint16_t>(kSolFirstRuleSetId + (suitsNumber == 1 ? 1 : suitsNumber == 2 ? 2 : 0));
#else
  if (gameType > 3) gameType = 2;
  return static_cast<uint16_t>(kSolFirstRuleSetId + gameType);
#endif
}
