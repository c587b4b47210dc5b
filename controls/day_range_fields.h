// The days an export covers, as its dialogs ask for them: a "Days:" list
// (the shown day, its month, its year, everything, or these days) over two
// date fields "From:" ... "to". Picking a list entry sets the dates; typing a
// date chooses "These days:". Everything spans the first to the last day
// that has a file of the kinds given.
#pragma once

#include "days/day_files.h"

#include <QDate>
#include <QObject>
#include <initializer_list>
#include <vector>

class QComboBox;
class QDateEdit;
class QWidget;

namespace orlane {

class CDayRangeFields final : public QObject {
  Q_OBJECT

 public:
  enum Days : int { kShownDay = 0, kShownMonth, kShownYear, kEverything, kChosenDays };

  CDayRangeFields(const QDate& shown, std::initializer_list<DayFileKind> everything, QObject* parent = nullptr);

  // The labels and fields on client: the list at top, the dates a row below,
  // the fields from left to right, the labels ending at left.
  void Build(QWidget* client, int top, int left, int right);
  void Choose(int days);
  void SetEnabled(bool on);

  // The range in day keys, the earlier date first; with "Everything" chosen
  // the range is open at both ends (what has no day file, such as a rule
  // that recurs, is in it too).
  QString FromKey() const;
  QString ToKey() const;

  QComboBox* DaysList() const { return days_; }
  QDateEdit* FromEdit() const { return from_; }
  QDateEdit* ToEdit() const { return to_; }

 private:
  void ShowDays(int days);

  QDate shown_;
  std::vector<DayFileKind> everything_;
  QComboBox* days_ = nullptr;
  QDateEdit* from_ = nullptr;
  QDateEdit* to_ = nullptr;
};

}  // namespace orlane
