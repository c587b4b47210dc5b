// CSyncSetupDlg: "Calendar server": the address, the account, its password and
// the calendar to sync the reminders with. "Test connection" finds the
// calendar and says what it found or why not; OK finds it, keeps the account
// (the sync state file, the password in the keyring) and closes. Nothing
// waits in the window: the server's answer comes from the event loop.
#pragma once

#include "caldav/sync_setup.h"
#include "controls/themed_dialog.h"

class QLabel;
class QLineEdit;

namespace orlane {

class CalDavCalendar;
class CMacButton;

class CSyncSetupDlg final : public CThemedDialog {
  Q_OBJECT

 public:
  static constexpr int kTestId = 1101;

  CSyncSetupDlg(int theme, QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CSyncSetupDlg)

  void OnCommand(int id) override;

  QLineEdit* ServerEdit() const { return server_; }
  QLineEdit* UserEdit() const { return user_; }
  QLineEdit* PasswordEdit() const { return password_; }
  QLineEdit* CalendarEdit() const { return calendar_; }
  QLabel* Outcome() const { return outcome_; }
  // After OK: what was typed, for this run of the program (the keyring may have none).
  QString Password() const;

 protected:
  void OnInitDialog() override;

 private:
  void Run(bool keep);
  void Finished(const SyncSetupResult& result, bool keep);
  void EnableInput(bool on);

  QLineEdit* server_ = nullptr;
  QLineEdit* user_ = nullptr;
  QLineEdit* password_ = nullptr;
  QLineEdit* calendar_ = nullptr;
  QLabel* outcome_ = nullptr;
  CMacButton* test_ = nullptr;
  CMacButton* ok_ = nullptr;
  CalDavCalendar* caldav_ = nullptr;  // a child of the dialog
  bool running_ = false;
};

}  // namespace orlane
