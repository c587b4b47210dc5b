#include "app/main_dlg.h"

#include "app/day_files.h"
#include "platform/program_info.h"

#include <QResizeEvent>

namespace orlane {

CMainDlg::CMainDlg(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QLatin1String(kProgramTitle));
  ReadSettings();
  ClampWindowSize(settings_);
  setMinimumSize(kMinWindowWidth, kMinWindowHeight);
  resize(settings_.windowWidth, settings_.windowHeight);
}

CMainDlg::~CMainDlg() { WriteSettings(); }

void CMainDlg::ReadSettings() {
  settings_ = Settings{};
  ReadSettingsFile(UserFilePath(kSettingsFileName), settings_);
}

void CMainDlg::WriteSettings() { WriteSettingsFile(UserFilePath(kSettingsFileName), settings_); }

void CMainDlg::resizeEvent(QResizeEvent* event) {
  QDialog::resizeEvent(event);
  if (!isMaximized()) {
    settings_.windowWidth = width();
    settings_.windowHeight = height();
  }
}

}  // namespace orlane
