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
  kAppFormCardBacks = 1390,
  kAppFormBackgrounds = 1410,
  kAppFormTheme = 1415,
  kAppFormTrophyCabinet = 1426,
  kAppFormCardFronts = 1430,
  kAppFormGameSettings = 1300,
  kAppFormChooseSeed = 1395,
  kAppFormNewGame = 1456,
  kAppFormSoundSettings = 1040,
  kAppFormLanguageSettings = 1080,
  kAppFormLanguageAlert = 1090,
  kAppFormTutorial = 1180,
  kAppFormColourSettings = 1400,
  kAppFormInstructions = 1421,
  kAppFormCustomiseHelp = 1442,
  kAppFormTrophyAlert = 1428,
  kAppFormFirstTrophy = 1464,
  kAppFormAbout = 1100,
  kAppFormRestoreFailed = 1240,
  kAppFormGameOver = 1380,
  kAppFormGameWon = 1384,
  kAppFormStats = 1386,
  kAppFormUnlockItem = 1432,
  kAppFormUnlockBackground = 1433,
  kAppFormResetStats = 1448,
  kAppFormOptionChanged = 1454,
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
constexpr char kAppTagUnlockAlert[] = "frmunlock";
constexpr char kAppTagGameOver[] = "frmgmover";
constexpr char kAppTagGameWon[] = "frmgamwon";
constexpr char kAppTagStats[] = "frmstats";
constexpr char kAppTagResetStats[] = "frmreset";
constexpr char kAppTagAbout[] = "frmabout";
constexpr char kAppTagTrophyCabinet[] = "frmtrphcb";
constexpr char kAppTagCardBacks[] = "frmbacks";
constexpr char kAppTagCardFronts[] = "frmfronts";
constexpr char kAppTagBackgrounds[] = "frmbgnds";
constexpr char kAppTagTheme[] = "frmtheme";
constexpr char kAppTagNewGame[] = "frmnewgam";
constexpr char kAppTagChooseSeed[] = "frmseed";
constexpr char kAppTagGameSettings[] = "frmgamset";
// The help and settings forms carry no name, so they are not saved with the
// player's forms: they open afresh from a menu, a key or the game.
constexpr char kAppTagTutorial[] = "frmtutor";
constexpr char kAppTagInstructions[] = "frminstr";
constexpr char kAppTagCustomiseHelp[] = "frmcushlp";
constexpr char kAppTagSoundSettings[] = "frmsound";
constexpr char kAppTagLanguageSettings[] = "frmlang";
constexpr char kAppTagColourSettings[] = "frmcolour";
