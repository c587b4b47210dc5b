#include "controls/mac_btn_group.h"

#include <QPainter>

namespace orlane {

QRect GroupCellRect(QSize client, int rows, int columns, int row, int column) {
  const int cellW = (client.width() - 1) / columns;
  const int cellH = (client.height() - 1) / rows;
  // (j·w, i·h) to ((j+1)·w + 1, (i+1)·h + 1), right and bottom exclusive.
  return QRect(column * cellW, row * cellH, cellW + 1, cellH + 1);
}

NMacBtnGroup::NMacBtnGroup(const QRect& rect, QWidget* parent, const QColor& background)
    : QWidget(parent), background_(background) {
  setProperty("controlId", kControlId);
  setGeometry(rect);
  show();
}

NMacBtnGroup::~NMacBtnGroup() = default;

int NMacBtnGroup::CreateButtons(const QStringList& captions, const QList<int>& ids, int rows, int columns,
                                const QFont& font, bool tabStyle) {
  if (captions.size() != ids.size() || rows <= 0 || columns <= 0) return 0;
  if (static_cast<qint64>(rows) * columns < captions.size()) return 0;
  rows_ = rows;
  columns_ = columns;
  qsizetype next = 0;
  for (int i = 0; i < rows && next < captions.size(); ++i) {
    for (int j = 0; j < columns && next < captions.size(); ++j, ++next) {
      auto* button = new CMacButton(captions[next], ids[next], this);
      button->setFlat(true);
      button->setGeometry(GroupCellRect(size(), rows, columns, i, j));
      button->setFont(font);
      button->SetTooltipText(captions[next]);
      button->SetToggleMode(CMacButton::kLatchMode);
      if (rows > columns)
        button->SetCornerEllipse(0, 0);
      else
        button->SetCornerEllipse(6, 6);
      button->SetTabStyle(tabStyle);
      const int id = ids[next];
      connect(button, &QAbstractButton::clicked, this, [this, id] { OnButtonClicked(id); });
      button->show();
      buttons_.append(button);
    }
  }
  return 1;
}

void NMacBtnGroup::OnButtonClicked(int id) {
  CMacButton* clicked = Find(id);
  if (!clicked) return;
  for (CMacButton* button : buttons_)
    if (button != clicked) button->SetVisualState(CMacButton::kNormal, true);
  // Posted: the owner hears of it after the click has been handled.
  QMetaObject::invokeMethod(
      this, [this, id] { Q_EMIT command(id); }, Qt::QueuedConnection);
}

void NMacBtnGroup::Select(int id) {
  for (CMacButton* button : buttons_)
    button->SetVisualState(button->ControlId() == id ? CMacButton::kPressed : CMacButton::kNormal, true);
}

int NMacBtnGroup::SelectedId() const {
  for (const CMacButton* button : buttons_)
    if (button->GetVisualState() == CMacButton::kPressed) return button->ControlId();
  return 0;
}

CMacButton* NMacBtnGroup::Find(int id) const {
  for (CMacButton* button : buttons_)
    if (button->ControlId() == id) return button;
  return nullptr;
}

void NMacBtnGroup::SetTheme(const QColor& background, int theme) {
  for (CMacButton* button : buttons_) button->SetTheme(theme);
  background_ = background;
  update();
}

void NMacBtnGroup::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
}

}  // namespace orlane
