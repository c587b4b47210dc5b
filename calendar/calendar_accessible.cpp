#include "calendar/calendar_accessible.h"

#include "calendar/analog_clock.h"
#include "calendar/month_calendar.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPointer>

#include <array>

namespace orlane {

namespace {

constexpr int kColumns = 7;
constexpr int kRows = kMonthCells / kColumns;

class MonthTableAccessible;

class MonthCellAccessible final : public QAccessibleInterface,
                                  public QAccessibleTableCellInterface,
                                  public QAccessibleActionInterface {
 public:
  MonthCellAccessible(CMonthCalendar* calendar, MonthTableAccessible* table, int cell)
      : calendar_(calendar), table_(table), cell_(cell) {}

  bool isValid() const override { return !calendar_.isNull(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return calendar_ ? calendar_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override;
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::Cell; }

  QString text(QAccessible::Text t) const override {
    if (!calendar_) return {};
    switch (t) {
      case QAccessible::Name: return MonthCellName(calendar_->View(), cell_, calendar_->dateFormat);
      case QAccessible::Description: return MonthCellDescription(calendar_->View().cells[cell_]);
      default: return {};
    }
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!calendar_) return {};
    const CellRect& r = calendar_->Cells()[cell_];
    return QRect(calendar_->mapToGlobal(QPoint(r.left, r.top)), QSize(r.width(), r.height()));
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!calendar_) {
      s.invalid = true;
      return s;
    }
    s.selectable = true;
    s.focusable = true;
    s.selected = isSelected();
    s.focused = s.selected && calendar_->hasFocus();
    s.disabled = !calendar_->isEnabled();
    s.invisible = !calendar_->isVisible();
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableCellInterface) return static_cast<QAccessibleTableCellInterface*>(this);
    if (t == QAccessible::ActionInterface) return static_cast<QAccessibleActionInterface*>(this);
    return nullptr;
  }

  // The table cell.
  bool isSelected() const override { return calendar_ && calendar_->View().cells[cell_].selected; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return cell_ % kColumns; }
  int rowIndex() const override { return cell_ / kColumns; }
  QAccessibleInterface* table() const override;

  // Pressing a cell chooses its day; a disabled calendar (while recording) refuses.
  QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
  void doAction(const QString& action) override {
    if (!calendar_ || !calendar_->isEnabled()) return;
    if (action == pressAction()) {
      calendar_->ChooseCell(cell_);
    } else if (action == setFocusAction()) {
      calendar_->setFocus(Qt::OtherFocusReason);
    }
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<CMonthCalendar> calendar_;
  MonthTableAccessible* table_;
  int cell_;
};

class MonthTableAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit MonthTableAccessible(CMonthCalendar* calendar) : QAccessibleWidget(calendar, QAccessible::Table) {}

  ~MonthTableAccessible() override {
    for (const QAccessible::Id id : ids_)
      if (id) QAccessible::deleteAccessibleInterface(id);
  }
  Q_DISABLE_COPY_MOVE(MonthTableAccessible)

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name && Calendar()->accessibleName().isEmpty()) return Calendar()->View().title;
    return QAccessibleWidget::text(t);
  }

  // The 42 cells come first, the three buttons after them.
  int childCount() const override { return kMonthCells + QAccessibleWidget::childCount(); }
  QAccessibleInterface* child(int index) const override {
    if (index < 0) return nullptr;
    if (index < kMonthCells) return Cell(index);
    return QAccessibleWidget::child(index - kMonthCells);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    for (int k = 0; k < kMonthCells; ++k)
      if (ids_[k] && QAccessible::accessibleInterface(ids_[k]) == child) return k;
    const int other = QAccessibleWidget::indexOfChild(child);
    return other < 0 ? -1 : other + kMonthCells;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QPoint at = Calendar()->mapFromGlobal(QPoint(x, y));
    if (QAccessibleInterface* button = QAccessibleWidget::childAt(x, y)) return button;
    const int cell = MonthCellAt(Calendar()->Cells(), at.x(), at.y());
    return cell < 0 ? nullptr : Cell(cell);
  }
  QAccessibleInterface* focusChild() const override {
    const int cell = Calendar()->SelectedCell();
    return Calendar()->hasFocus() && cell >= 0 ? Cell(cell) : nullptr;
  }

  // The table.
  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || row >= kRows || column < 0 || column >= kColumns) return nullptr;
    return Cell(row * kColumns + column);
  }
  int selectedCellCount() const override { return Calendar()->SelectedCell() < 0 ? 0 : 1; }
  QList<QAccessibleInterface*> selectedCells() const override {
    const int cell = Calendar()->SelectedCell();
    if (cell < 0) return {};
    return {Cell(cell)};
  }
  QString columnDescription(int column) const override {
    const QString letters = Calendar()->View().headerLetters;
    return column >= 0 && column < letters.size() ? QString(letters[column]) : QString();
  }
  QString rowDescription(int) const override { return {}; }
  int columnCount() const override { return kColumns; }
  int rowCount() const override { return kRows; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  // One day is selected at a time: whole rows and columns cannot be.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  CMonthCalendar* Calendar() const { return static_cast<CMonthCalendar*>(widget()); }

  QAccessibleInterface* Cell(int cell) const {
    if (!ids_[cell]) {
      auto* iface = new MonthCellAccessible(Calendar(), const_cast<MonthTableAccessible*>(this), cell);
      ids_[cell] = QAccessible::registerAccessibleInterface(iface);
    }
    return QAccessible::accessibleInterface(ids_[cell]);
  }

  mutable std::array<QAccessible::Id, kMonthCells> ids_{};
};

QAccessibleInterface* MonthCellAccessible::parent() const {
  return calendar_ ? table_ : nullptr;
}

QAccessibleInterface* MonthCellAccessible::table() const {
  return parent();
}

class ClockAccessible final : public QAccessibleWidget {
 public:
  explicit ClockAccessible(CAnalogClock* clock) : QAccessibleWidget(clock, QAccessible::Clock) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<const CAnalogClock*>(widget())->SpokenTime();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* CalendarFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("orlane::CMonthCalendar"))
    return new MonthTableAccessible(static_cast<CMonthCalendar*>(object));
  if (className == QLatin1String("orlane::CAnalogClock"))
    return new ClockAccessible(static_cast<CAnalogClock*>(object));
  return nullptr;
}

}  // namespace

void InstallCalendarAccessibility() {
  QAccessible::installFactory(&CalendarFactory);
}

}  // namespace orlane
