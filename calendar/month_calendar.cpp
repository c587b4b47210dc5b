#include "calendar/month_calendar.h"

#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "controls/program_fonts.h"
#include "platform/clock.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>

namespace orlane {

CMonthCalendar::CMonthCalendar(QWidget* parent)
    : QWidget(parent), selected_(NowSeconds()), fonts_(MonthFonts::Make()), sources_(DefaultMonthSources()) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
}

CMonthCalendar::~CMonthCalendar() = default;

bool CMonthCalendar::Create(const QRect& rect, QWidget* parent) {
  if (parent && parentWidget() != parent) setParent(parent);
  auto makeButton = [this](const char* text, int id, const char* tip) {
    auto* button = new CMacButton(QString::fromLatin1(text), id, this);
    button->SetTheme(theme_);
    button->SetTooltipText(QString::fromLatin1(tip));
    button->setAccessibleName(QString::fromLatin1(tip));  // not "<", ">" and "T"
    button->setFocusPolicy(Qt::NoFocus);
    connect(button, &CMacButton::commandClicked, this, &CMonthCalendar::OnCommand);
    return button;
  };
  if (!prev_) {
    next_ = makeButton(">", kIdNextMonth, "Next month");
    prev_ = makeButton("<", kIdPrevMonth, "Previous month");
    today_ = makeButton("T", kIdToday, "Goto today");
    today_->setFont(fonts_.normal);
  }
  created_ = true;
  setGeometry(rect);
  Layout();
  show();
  return true;
}

CMacButton* CMonthCalendar::Button(int id) const {
  switch (id) {
    case kIdPrevMonth: return prev_;
    case kIdNextMonth: return next_;
    case kIdToday: return today_;
    default: return nullptr;
  }
}

void CMonthCalendar::Layout() {
  cells_ = ComputeMonthCells(width(), height());
  const MonthButtonRects b = ComputeMonthButtons(width(), height());
  auto place = [](CMacButton* button, const CellRect& r) {
    if (button) button->setGeometry(r.left, r.top, r.width(), r.height());
  };
  place(next_, b.next);
  place(prev_, b.prev);
  place(today_, b.today);
  ApplyMask();
  Redraw();
}

void CMonthCalendar::ApplyMask() {
  // The rounded window shape: a RoundRect (0, 0, w + 1, h + 1), corner 6 × 6.
  setMask(RoundRectRegion(width(), height(), 6, 6));
}

void CMonthCalendar::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (created_) Layout();
}

void CMonthCalendar::Redraw() {
  if (width() <= 0 || height() <= 0) return;
  view_ = BuildMonthView(selected_, NowSeconds(), weekStart, width(), sources_);
  imageStale_ = true;
  update();
}

const QImage& CMonthCalendar::Image() const {
  if (imageStale_) {
    imageStale_ = false;
    if (image_.size() != size()) image_ = QImage(size(), QImage::Format_RGB32);
    const int theme = prev_ ? prev_->Theme() : theme_;
    RenderMonth(image_, view_, cells_, theme, fonts_);
  }
  return image_;
}

void CMonthCalendar::SetTheme(int theme) {
  theme_ = ClampTheme(theme);
  for (CMacButton* b : {prev_.data(), next_.data(), today_.data()})
    if (b) {
      b->SetTheme(theme_);
      b->update();
    }
  if (created_) Redraw();
}

void CMonthCalendar::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  const QImage& image = Image();
  if (image.isNull()) return;
  p.drawImage(event->rect(), image, event->rect());
}

void CMonthCalendar::PrevDay() {
  SetDateByUser(AddDays(selected_, -1));
}
void CMonthCalendar::NextDay() {
  SetDateByUser(AddDays(selected_, 1));
}
void CMonthCalendar::PrevWeek() {
  SetDateByUser(AddDays(selected_, -7));
}
void CMonthCalendar::NextWeek() {
  SetDateByUser(AddDays(selected_, 7));
}
void CMonthCalendar::PrevMonthStep() {
  SetDateByUser(PrevMonth(selected_));
}
void CMonthCalendar::NextMonthStep() {
  SetDateByUser(NextMonth(selected_));
}

void CMonthCalendar::SetDateByUser(std::time_t t) {
  selected_ = t;
  Redraw();
  AnnounceSelectedCell();
}

int CMonthCalendar::SelectedCell() const {
  for (int k = 0; k < kMonthCells; ++k)
    if (view_.cells[k].selected) return k;
  return -1;
}

void CMonthCalendar::AnnounceSelectedCell() {
  // Only the focused calendar speaks; the owner's own date changes are silent.
  const int cell = SelectedCell();
  if (!hasFocus() || cell < 0) return;
  QAccessibleEvent event(this, QAccessible::Focus);
  event.setChild(cell);
  QAccessible::updateAccessibility(&event);
}

void CMonthCalendar::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  AnnounceSelectedCell();
}

void CMonthCalendar::ChooseCell(int cell) {
  if (cell < 0 || cell >= kMonthCells) return;
  SetDateByUser(DateOfClickedCell(selected_, cell, view_.cells[cell].day));
  PostDateChanged();
}

void CMonthCalendar::PostDateChanged() {
  QMetaObject::invokeMethod(this, &CMonthCalendar::dateChanged, Qt::QueuedConnection);
}

void CMonthCalendar::OnCommand(int id) {
  switch (id) {
    case kIdPrevMonth: PrevMonthStep(); break;
    case kIdNextMonth: NextMonthStep(); break;
    case kIdToday: SetDateByUser(NowSeconds()); break;
    default: return;
  }
  PostDateChanged();
}

void CMonthCalendar::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  setFocus(Qt::MouseFocusReason);
  const QPoint at = event->position().toPoint();
  ChooseCell(MonthCellAt(cells_, at.x(), at.y()));
}

void CMonthCalendar::keyPressEvent(QKeyEvent* event) {
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  switch (event->key()) {
    case Qt::Key_Left: ctrl ? PrevMonthStep() : PrevDay(); break;
    case Qt::Key_Right: ctrl ? NextMonthStep() : NextDay(); break;
    case Qt::Key_Up: PrevWeek(); break;
    case Qt::Key_Down: NextWeek(); break;
    default: return QWidget::keyPressEvent(event);
  }
  PostDateChanged();
  event->accept();
}

}  // namespace orlane
