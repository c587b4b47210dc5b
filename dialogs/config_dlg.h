// CConfigDlg: the settings dialog. It shows a copy of the settings it is
// given; OK writes the controls back into that copy (settings()) and keeps the
// autorun entry in step with the Autorun box, Cancel leaves it as it was. It
// also starts the password change. A second page ("More >>") shows the
// additive settings; OK changes only those whose control was changed.
#pragma once

#include "controls/themed_dialog.h"
#include "days/extra_settings.h"
#include "days/settings_file.h"

#include <array>
#include <functional>

class QComboBox;
class QSpinBox;

namespace orlane {

class CMacButton;
class CMacCheckBox;
class ConfigSpellingPage;

class CConfigDlg : public CThemedDialog {
  Q_OBJECT

 public:
  static constexpr int kWidth = 330;
  static constexpr int kHeight = 483;
  static constexpr int kHelpId = 1011;
  static constexpr int kChangePasswordId = 1020;
  static constexpr int kPageId = 1021;
  static constexpr int kServerId = 1022;

  // The seven check boxes, in the order of the members they edit.
  enum Box : int {
    kAutorun = 0,
    kLaunchDeskleaf,
    kHideAtStartup,
    kLoginOnShow,
    kCheckUpdate,
    kSearchCase,
    kSearchWholeWord,
    kBoxCount
  };

  CConfigDlg(const Settings& settings, int theme, QWidget* parent = nullptr);
  CConfigDlg(const Settings& settings, const ExtraSettings& extra, int theme, QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CConfigDlg)

  // The values after OK; before OK (and after Cancel) the ones given.
  const Settings& settings() const { return settings_; }
  // The spelling setting's value (see ConfigSpellingPage), and what went
  // wrong loading its dictionary; before the dialog is shown.
  void SetSpelling(const QString& choice, const QString& problem);
  const QString& spellingChoice() const { return spellingChoice_; }
  ConfigSpellingPage* SpellingPage();
  const ExtraSettings& extraSettings() const { return extra_; }

  void OnCommand(int id) override;

  CMacCheckBox* CheckBox(Box box) const { return boxes_[box]; }
  QComboBox* DateFormatList() const { return dateFormat_; }
  QComboBox* WeekStartList() const { return weekStart_; }
  QComboBox* SampleRateList() const { return sampleRate_; }
  QComboBox* BitsList() const { return bits_; }
  CMacButton* Button(int id) const;
  // The second page.
  void ShowPage(int page);
  int Page() const { return page_; }
  QSpinBox* SnoozeMinutesBox() const { return snoozeMinutes_; }
  CMacCheckBox* NotificationsBox() const { return notifications_; }
  QSpinBox* LateCancelBox() const { return lateCancel_; }
  QSpinBox* BackupReminderBox() const { return backupReminder_; }
  QSpinBox* SyncMinutesBox() const { return syncMinutes_; }
  CMacButton* ServerButton() const { return serverButton_; }
  // What "Server..." opens (the calendar server's set-up, which lives above this dialog).
  void SetServerSetup(std::function<void(QWidget* parent)> open) { serverSetup_ = std::move(open); }

  // What the Run value holds for autorun: the program folder + "orlane".
  static QByteArray AutorunCommand();

 protected:
  void OnInitDialog() override;

 private:
  void BuildGroups(int w);
  void BuildLists(int w);
  void BuildButtons(int w);
  void BuildSecondPage(int w);
  void LoadControls();
  void OnOK();
  void StoreSecondPage();
  void WriteRunValue() const;

  Settings settings_;
  ExtraSettings extra_;
  int page_ = 0;
  QList<QWidget*> pages_[2];
  QSpinBox* snoozeMinutes_ = nullptr;
  CMacCheckBox* notifications_ = nullptr;
  QSpinBox* lateCancel_ = nullptr;
  QSpinBox* backupReminder_ = nullptr;
  QSpinBox* syncMinutes_ = nullptr;
  CMacButton* serverButton_ = nullptr;
  std::function<void(QWidget*)> serverSetup_;
  CMacButton* pageButton_ = nullptr;
  std::array<CMacCheckBox*, kBoxCount> boxes_{};
  QComboBox* dateFormat_ = nullptr;
  QComboBox* weekStart_ = nullptr;
  QComboBox* sampleRate_ = nullptr;
  QComboBox* bits_ = nullptr;
  CMacButton* help_ = nullptr;
  CMacButton* ok_ = nullptr;
  CMacButton* cancel_ = nullptr;
  CMacButton* changePassword_ = nullptr;
  ConfigSpellingPage* spellingPage_ = nullptr;
  QString spellingChoice_;
  QString spellingProblem_;
};

}  // namespace orlane
