// CBackupDlg: "Back up now": the archive file and the passphrase typed twice;
// Back up writes the archive off the GUI thread with a progress bar, Cancel
// stops it (nothing is left behind then). The outcome is told in the themed
// message box. The passphrase lives only as long as the dialog.
#pragma once

#include "backup/backup_file.h"
#include "controls/work_dialog.h"

#include <optional>

class QLineEdit;

namespace orlane {

class CMacButton;
class CMacCheckBox;

class CBackupDlg final : public CWorkDialog {
  Q_OBJECT

 public:
  static constexpr int kBackUpId = 1;
  static constexpr int kBrowseId = 1101;
  static constexpr int kAtExitId = 1102;
  static constexpr int kHelpId = 1103;
  static int KeptAtExit();

  // file: the archive offered; atExit: whether backups at exit are on;
  // cost: the key derivation's (tests pass a light one).
  CBackupDlg(const QString& file, int theme, QWidget* parent = nullptr,
             const BackupKdfCost& cost = DefaultBackupKdfCost(), bool atExit = false);
  ~CBackupDlg() override;
  Q_DISABLE_COPY_MOVE(CBackupDlg)

  void OnCommand(int id) override;
  // The archive written, after the dialog was accepted.
  QString File() const;
  // Whether backups at exit into the file's folder were chosen, and after an
  // accepted run with them, the passphrase's public key they are sealed to.
  bool AtExitChosen() const;
  const std::optional<BackupPublicKey>& AtExitKey() const { return atExitKey_; }
  CMacCheckBox* AtExitBox() const { return atExit_; }

  QLineEdit* FileEdit() const { return file_; }
  QLineEdit* PassphraseEdit() const { return passphrase_; }
  QLineEdit* RepeatEdit() const { return repeat_; }

 protected:
  void OnInitDialog() override;
  void WorkFinished() override;

 private:
  void BuildControls(int w);
  void Browse();
  void Start();
  void EnableInput(bool on);

  QString offered_;
  BackupKdfCost cost_;
  QLineEdit* file_ = nullptr;
  QLineEdit* passphrase_ = nullptr;
  QLineEdit* repeat_ = nullptr;
  CMacButton* backUp_ = nullptr;
  CMacCheckBox* atExit_ = nullptr;
  bool atExitOffered_ = false;
  std::optional<BackupPublicKey> atExitKey_;
  BackupReport report_;
};

}  // namespace orlane
