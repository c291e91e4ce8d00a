// Player switches: forms only ask (load, rename, create, or a user error to
// show) and close; the next frame carries the request out between frames,
// where every open form can be replaced by those saved with another player.
#pragma once

#include <cstdint>

class CAppApplication;

class CAppUserManager {
 public:
  enum Action : int32_t { kNone = 0, kLoad = 1, kRename = 2, kCreate = 3 };
  // The user errors the alert reports.
  enum Error : int32_t {
    kErrorRenameRead = 1,
    kErrorNotAdded = 3,
    kErrorNoPlayerLeft = 4,
    kErrorBadName = 6,
    kErrorNameTaken = 7,
    kErrorListFull = 8,
  };
  static constexpr uint16_t kAlertTitle = 1135;
  static constexpr uint16_t kAlertButton = 1010;

  explicit CAppUserManager(CAppApplication& application) : app_(application) {}

  void requestLoadUser(int16_t user, uint16_t returnFormId);
  void requestRenameUser(const char16_t* name, int16_t user);
  void requestCreateUser(const char16_t* name, int16_t user, uint16_t returnFormId, int16_t previousUser);
  void setUserError(int32_t code) { userError_ = code; }
  // Removes the player and its database; the current player stays the one
  // it was, or none when it was the one removed. False for no player.
  bool deleteUser(int16_t user);

  // Reads the player's saved forms: true when the player's profile form is
  // open. A damaged file is kept aside and the player told what was lost;
  // when the profile itself could not be read it starts afresh under the
  // player's name.
  bool restorePlayer(int16_t user);

  // Once per frame: a pending user error, else the pending request.
  [[nodiscard]] int16_t postUpdate();

  // The alert of the user errors, and the one of a profile that cannot be read.
  void showUserAlert(uint16_t title, uint16_t text, int32_t button);
  void showProfileFailure();

  int32_t getPendingAction() const { return pendingAction_; }
  int32_t getUserError() const { return userError_; }

 private:
  [[nodiscard]] int16_t loadUser();
  [[nodiscard]] int16_t renameUser();
  [[nodiscard]] int16_t createUser();
  void recover();
  // Every form closed and removed now; the settings pointer goes with the profile.
  void removeAllForms();
  // The title and select forms over the profile, then back to the return form.
  void openPlayerForms();
  // Reads the saved forms of a player's database; what could not be read is
  // told (damaged: whether anything was).
  [[nodiscard]] int16_t restore(const char16_t* databaseName, bool* damaged = nullptr);
  void saveCurrentProfile();

  CAppApplication& app_;
  int32_t pendingAction_ = kNone;
  int16_t pendingUser_ = -1;
  char16_t pendingName_[11] = {};
  uint16_t returnFormId_ = 0;
  int16_t previousUser_ = -1;
  int32_t userError_ = 0;
};
