// The five player forms: create, select, rename, delete and import. They
// check what the player typed or chose and post a request to the
// application, which carries it out between frames; none of them switches
// the player itself.
#pragma once

#include <cstdint>

#include "qzf_form.h"

class CAppApplication;

// What the five share: the application found on open (else -50), the
// form colour, the player index of the open parameter, and a button press
// (after the click) handed to onButton.
class CAppUserSetupForm : public CQZFForm {
 public:
  static constexpr uint16_t kCancel = 2;
  static constexpr uint16_t kLabel = 20;
  static constexpr char16_t kNameToken[] = u"#a";

  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onGadgetEvent(const CQZFGadgetEvent& event) final;
  // Back rubs out a typed character; with nothing typed it leaves the form.
  Handled onKeyEvent(const QZFKeyEvent& key) override;

 protected:
  // Whether the label names the player of the open parameter.
  virtual bool namesPlayer() const { return false; }
  // The text entry of the name, 0 for none.
  virtual uint16_t nameEntry() const { return 0; }
  virtual Handled onButton(uint16_t id) = 0;
  // A list's chosen row (the select form's).
  virtual Handled onRowChosen(int row) { return Handled::kPassOn; }
  void closeForm();
  // The label's "#a" becomes player i's name.
  void showPlayerName(int user);
  int16_t player() const { return static_cast<int16_t>(getOpenParam()); }
  CAppApplication* app_ = nullptr;
};

class CAppCreateUserForm : public CAppUserSetupForm {
 public:
  static constexpr uint16_t kName = 1210;
  static constexpr uint16_t kOk = 1206;
  CAppCreateUserForm();
  // Without its cancel button (no player yet) Back ends the program, as on
  // the title screen: the first player cannot be skipped.
  Handled onBack() override;

 protected:
  Handled onButton(uint16_t id) override;
  uint16_t nameEntry() const override { return kName; }

 private:
  // The typed name checked and the creation requested; -50 without a profile or entry.
  int16_t createUser();
};

class CAppSelectUserForm : public CAppUserSetupForm {
 public:
  static constexpr uint16_t kList = 1211;
  static constexpr uint16_t kChoose = 1;
  static constexpr uint16_t kPlay = 1202;
  static constexpr uint16_t kRename = 1200;
  static constexpr uint16_t kDelete = 1201;
  static constexpr uint16_t kNew = 1207;
  CAppSelectUserForm();
  [[nodiscard]] int16_t open(uint16_t formId, uint32_t param) override;
  Handled onEvent(const QZFFormEvent& event) override;

 protected:
  Handled onButton(uint16_t id) override;
  Handled onRowChosen(int row) override;

 private:
  void fillList();
  int selectedRow() const;
};

class CAppRenameUserForm : public CAppUserSetupForm {
 public:
  static constexpr uint16_t kName = 1209;
  static constexpr uint16_t kOk = 1204;
  CAppRenameUserForm();

 protected:
  bool namesPlayer() const override { return true; }
  Handled onButton(uint16_t id) override;
  uint16_t nameEntry() const override { return kName; }
};

class CAppDeleteUserForm : public CAppUserSetupForm {
 public:
  static constexpr uint16_t kConfirm = 1205;
  CAppDeleteUserForm();

 protected:
  bool namesPlayer() const override { return true; }
  Handled onButton(uint16_t id) override;

 private:
  int16_t deleteSelectedUser();
};

class CAppImportUserForm : public CAppUserSetupForm {
 public:
  static constexpr uint16_t kKeep = 1203;
  CAppImportUserForm();

 protected:
  Handled onButton(uint16_t id) override;
};
