#include "dialogs/auto_backup_dlg.h"

#include "backup/backup_result.h"
#include "controls/msg_box_dlg.h"
#include "platform/app_paths.h"
#include "security/edge_rect.h"

#include <QLabel>

namespace orlane {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 132;
}  // namespace

CAutoBackupDlg::CAutoBackupDlg(AutoBackupPlan plan, QDateTime now, int theme, QWidget* parent)
    : CWorkDialog(parent), plan_(std::move(plan)), now_(std::move(now)) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Back up"));
}

CAutoBackupDlg::~CAutoBackupDlg() {
  StopWork();
}

void CAutoBackupDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  const int w = ClientSize().width();
  auto* label = new QLabel(QStringLiteral("Backing up into %1 ...").arg(plan_.folder), Client());
  label->setGeometry(EdgeRect(20, 36, w - 20, 56));
  label->show();
  AddProgressBar(EdgeRect(20, 64, w - 20, 78));
  AddButton(QStringLiteral("&Cancel"), kCloseButtonId, EdgeRect(w - 85, 92, w - 20, 115));
}

void CAutoBackupDlg::showEvent(QShowEvent* event) {
  CWorkDialog::showEvent(event);
  if (started_) return;
  started_ = true;
  const QString& userFolder = UserFolder();
  StartWork([this, userFolder](const Progress& progress) {
    report_ = RunAutoBackup(userFolder, plan_, now_, file_, progress);
  });
}

void CAutoBackupDlg::WorkFinished() {
  if (!report_.ok() && report_.result != BackupResult::Cancelled)
    ThemedNotice(BackupResultMessage(report_.result, report_.detail), Theme(), this);
  done(report_.ok() ? QDialog::Accepted : QDialog::Rejected);
}

}  // namespace orlane
