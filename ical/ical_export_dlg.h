// CExportIcalDlg: "Export to iCalendar": the days (as the diary export asks
// for them), whether the diary pages go too, and the file. Export collects
// the reminders off the GUI thread with a progress bar and writes the file
// atomically; Cancel stops it and nothing is written. What became of the
// export is told in the themed message box, pages left out by date.
#pragma once

#include "controls/work_dialog.h"
#include "ical/ical_folder.h"

#include <QDate>

class QLineEdit;

namespace orlane {

class CDayRangeFields;
class CMacButton;
class CMacCheckBox;

class CExportIcalDlg final : public CWorkDialog {
  Q_OBJECT

 public:
  static constexpr int kExportId = 1;
  static constexpr int kBrowseId = 1101;
  static constexpr int kDiaryId = 1102;

  // shown: the day the window shows; password: the pages of it go in.
  CExportIcalDlg(const QDate& shown, QByteArray password, int theme, QWidget* parent = nullptr);
  ~CExportIcalDlg() override;
  Q_DISABLE_COPY_MOVE(CExportIcalDlg)

  void OnCommand(int id) override;

  CDayRangeFields* Range() const { return range_; }
  CMacCheckBox* DiaryBox() const { return diary_; }
  QLineEdit* FileEdit() const { return file_; }

 protected:
  void OnInitDialog() override;
  void WorkFinished() override;

 private:
  void BuildControls(int w);
  void Browse();
  void Start();
  void EnableInput(bool on);
  QString OutPath() const;

  QDate shown_;
  QByteArray password_;
  CDayRangeFields* range_ = nullptr;
  CMacCheckBox* diary_ = nullptr;
  QLineEdit* file_ = nullptr;
  CMacButton* export_ = nullptr;
  IcalExportResult result_;
  bool written_ = false;
  QString failure_;
};

}  // namespace orlane
