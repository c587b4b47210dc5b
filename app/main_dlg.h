// The main window: the hub that owns the calendar, the clock, the work area of
// the three modes and the settings values while the program runs.
#pragma once

#include "app/settings_file.h"

#include <QDialog>

namespace orlane {

class CMainDlg final : public QDialog {
  Q_OBJECT

 public:
  explicit CMainDlg(QWidget* parent = nullptr);
  ~CMainDlg() override;
  Q_DISABLE_COPY_MOVE(CMainDlg)

  void ReadSettings();
  void WriteSettings();
  const Settings& settings() const { return settings_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  Settings settings_;
};

}  // namespace orlane
