// A date picker that may also hold "any day": no limit on its side of a range.
// Typing a digit over "any day" starts from the anchor day (the day the
// window shows), the calendar pop-up opens at that day, and the clear button
// in the field brings "any day" back.
#pragma once

#include <QDateEdit>
#include <functional>

class QAction;

namespace orlane {

class AnyDayPicker final : public QDateEdit {
  Q_OBJECT

 public:
  explicit AnyDayPicker(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(AnyDayPicker)

  // The day to start from while the picker holds "any day".
  void SetAnchor(std::function<QDate()> anchor) { anchor_ = std::move(anchor); }
  bool IsAnyDay() const { return date() == minimumDate(); }
  void SetAnyDay() { setDate(minimumDate()); }
  QAction* ClearAction() const { return clear_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QDate Anchor() const;
  void ShowClearButton();

  std::function<QDate()> anchor_;
  QAction* clear_ = nullptr;
};

}  // namespace orlane
