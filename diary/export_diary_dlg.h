// CExportDiaryDlg: "Export diary": the days (the shown day, its month, its
// year, everything, or a range), the format, the order and the file; Export
// writes the book off the GUI thread with a progress bar, Cancel stops it
// (nothing is written then). What became of the export is told in the themed
// message box, pages left out by name.
#pragma once

#include "controls/themed_dialog.h"
#include "diary/diary_book.h"

#include <QDate>
#include <QTimer>

#include <atomic>
#include <memory>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QThread;

namespace orlane {

class CBarCtrl;
class CMacButton;

class CExportDiaryDlg final : public CThemedDialog {
  Q_OBJECT

 public:
  static constexpr int kExportId = 1;
  static constexpr int kBrowseId = 1101;
  enum Days : int { kShownDay = 0, kShownMonth, kShownYear, kEverything, kChosenDays };

  // shown: the day the window shows; password: the pages of it go in.
  CExportDiaryDlg(const QDate& shown, QByteArray password, int theme, QWidget* parent = nullptr);
  ~CExportDiaryDlg() override;
  Q_DISABLE_COPY_MOVE(CExportDiaryDlg)

  void OnCommand(int id) override;
  bool Running() const { return worker_ != nullptr; }

  QComboBox* DaysList() const { return days_; }
  QComboBox* FormatList() const { return format_; }
  QComboBox* OrderList() const { return order_; }
  QDateEdit* FromEdit() const { return from_; }
  QDateEdit* ToEdit() const { return to_; }
  QLineEdit* FileEdit() const { return file_; }
  CBarCtrl* Bar() const { return bar_; }

 protected:
  void OnInitDialog() override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void BuildControls(int w);
  void ShowDays(int days);
  void FollowFormat();
  void Browse();
  void Start();
  void ShowProgress();
  void Finish();
  DiaryBookRequest Request() const;

  QDate shown_;
  QByteArray password_;
  QComboBox* days_ = nullptr;
  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
  QComboBox* format_ = nullptr;
  QComboBox* order_ = nullptr;
  QLineEdit* file_ = nullptr;
  CBarCtrl* bar_ = nullptr;
  CMacButton* export_ = nullptr;
  CMacButton* cancel_ = nullptr;

  std::unique_ptr<QThread> worker_;
  std::atomic<int> done_{0};
  std::atomic<int> total_{1};
  std::atomic<bool> cancelRequested_{false};
  DiaryBookResult result_;
  QTimer progressTimer_;
};

}  // namespace orlane
