// The ids of Pellwyn's forms and the class tags under which the forms that
// are saved with a player's data are registered and re-created.
#pragma once

#include <cstdint>

enum AppFormId : uint16_t {
  kAppFormTitle = 1000,
  kAppFormGame = 1010,
  kAppFormUser = 1190,
  kAppFormSelectUser = 1191,
  kAppFormRenameUser = 1192,
  kAppFormDeleteUser = 1193,
  kAppFormUserAlert = 1194,
  kAppFormCreateUser = 1195,
  kAppFormProfileFailure = 1196,
  kAppFormImportUser = 1197,
  kAppFormResumeGame = 1230,
  kAppFormSoundSettings = 1040,
  kAppFormLanguageSettings = 1080,
  kAppFormLanguageAlert = 1090,
  kAppFormTutorial = 1180,
  kAppFormColourSettings = 1400,
  kAppFormInstructions = 1421,
  kAppFormCustomiseHelp = 1442,
  kAppFormTrophyAlert = 1428,
  kAppFormFirstTrophy = 1464,
};

constexpr char kAppTagGame[] = "frmgame";
constexpr char kAppTagTitle[] = "frmtitle";
constexpr char kAppTagUser[] = "frmuser";
// Forms that are never saved, created through the registry all the same.
constexpr char kAppTagSelectUser[] = "frmselusr";
constexpr char kAppTagRenameUser[] = "frmrenusr";
constexpr char kAppTagDeleteUser[] = "frmdelusr";
constexpr char kAppTagCreateUser[] = "frmnewusr";
constexpr char kAppTagImportUser[] = "frmimpusr";
constexpr char kAppTagAlert[] = "frmalert";
constexpr char kAppTagTrophyAlert[] = "frmtrophy";
// The help and settings forms carry no name, so they are not saved with the
// player's forms: they open afresh from a menu, a key or the game.
constexpr char kAppTagTutorial[] = "frmtutor";
constexpr char kAppTagInstructions[] = "frminstr";
constexpr char kAppTagCustomiseHelp[] = "frmcushlp";
constexpr char kAppTagSoundSettings[] = "frmsound";
constexpr char kAppTagLanguageSettings[] = "frmlang";
constexpr char kAppTagColourSettings[] = "frmcolour";
