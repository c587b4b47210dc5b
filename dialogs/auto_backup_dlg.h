// CAutoBackupDlg: the backup at exit, under way: where it goes, a progress
// bar and Cancel. It starts when shown and closes when done; a backup that
// failed is told in the themed message box.
#pragma once

#include "backup/auto_backup.h"
#include "controls/work_dialog.h"

#include <QDateTime>

namespace orlane {

class CAutoBackupDlg final : public CWorkDialog {
  Q_OBJECT

 public:
  CAutoBackupDlg(AutoBackupPlan plan, QDateTime now, int theme, QWidget* parent = nullptr);
  ~CAutoBackupDlg() override;
  Q_DISABLE_COPY_MOVE(CAutoBackupDlg)

  const BackupReport& Report() const { return report_; }
  // The backup written (when the report is ok).
  const QString& File() const { return file_; }

 protected:
  void OnInitDialog() override;
  void showEvent(QShowEvent* event) override;
  void WorkFinished() override;

 private:
  AutoBackupPlan plan_;
  QDateTime now_;
  QString file_;
  bool started_ = false;
  BackupReport report_;
};

}  // namespace orlane
