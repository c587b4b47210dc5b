// CExportDiaryDlg: "Export diary": the days (the shown day, its month, its
// year, everything, or a range), the format, the order and the file; Export
// writes the book off the GUI thread with a progress bar, Cancel stops it
// (nothing is written then). What became of the export is told in the themed
// message box, pages left out by name.
#pragma once

#include "controls/work_dialog.h"
#include "diary/diary_book.h"

#include <QDate>

class QComboBox;
class QLineEdit;

namespace orlane {

class CDayRangeFields;
class CMacButton;

class CExportDiaryDlg final : public CWorkDialog {
  Q_OBJECT

 public:
  static constexpr int kExportId = 1;
  static constexpr int kBrowseId = 1101;
  // shown: the day the window shows; password: the pages of it go in.
  CExportDiaryDlg(const QDate& shown, QByteArray password, int theme, QWidget* parent = nullptr);
  ~CExportDiaryDlg() override;
  Q_DISABLE_COPY_MOVE(CExportDiaryDlg)

  void OnCommand(int id) override;

  CDayRangeFields* Range() const { return range_; }
  QComboBox* FormatList() const { return format_; }
  QComboBox* OrderList() const { return order_; }
  QLineEdit* FileEdit() const { return file_; }

 protected:
  void OnInitDialog() override;
  void WorkFinished() override;

 private:
  void BuildControls(int w);
  void FollowFormat();
  void Browse();
  void Start();
  void EnableInput(bool on);
  DiaryBookRequest Request() const;

  QDate shown_;
  QByteArray password_;
  CDayRangeFields* range_ = nullptr;
  QComboBox* format_ = nullptr;
  QComboBox* order_ = nullptr;
  QLineEdit* file_ = nullptr;
  CMacButton* export_ = nullptr;
  DiaryBookResult result_;
};

}  // namespace orlane
