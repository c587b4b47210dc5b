#include "controls/mac_menu.h"

#include "controls/gdi_painter.h"
#include "res/resources.h"

#include <QPaintEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include <array>

namespace orlane {

namespace {
constexpr int kMenuCheckExtra = 12;

// Hands item sizes to the menu's measure rule and removes the style's margins.
class MacMenuStyle final : public QProxyStyle {
 public:
  explicit MacMenuStyle(NMacMenu* menu) : menu_(menu) {}

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    if (type == CT_MenuItem) {
      const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
      // Like the system, the popup adds the check-mark width to what the item measured.
      return menu_->MeasureItem(item && item->menuItemType == QStyleOptionMenuItem::Separator) +
             QSize(kMenuCheckExtra, 0);
    }
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }

  int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth: return 1;
      case PM_MenuHMargin:
      case PM_MenuVMargin:
      case PM_MenuDesktopFrameWidth: return 0;
      default: return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

 private:
  NMacMenu* menu_;
};

int IdOf(const QAction* action) {
  return action ? action->data().toInt() : 0;
}
}  // namespace

NMacMenu::NMacMenu(QWidget* parent) : QMenu(parent) {
  auto* style = new MacMenuStyle(this);
  style->setParent(this);
  setStyle(style);
  connect(this, &QMenu::triggered, this, [this](QAction* action) { Q_EMIT command(IdOf(action)); });
}

NMacMenu::~NMacMenu() = default;

QAction* NMacMenu::AppendItem(unsigned flags, int id, const QString& text) {
  if (flags & kMfSeparator) return addSeparator();
  if (!text.isEmpty()) texts_.insert(id, text);
  QAction* action = addAction(text);
  action->setData(id);
  action->setCheckable(true);
  action->setChecked(flags & kMfChecked);
  action->setEnabled(!(flags & kMfGrayed));
  return action;
}

void NMacMenu::AppendAction(QAction* action) {
  if (!action->text().isEmpty()) texts_.insert(IdOf(action), action->text());
  addAction(action);
}

QAction* NMacMenu::ItemAction(int id) const {
  for (QAction* action : actions())
    if (!action->isSeparator() && IdOf(action) == id) return action;
  return nullptr;
}

void NMacMenu::SetIcon(int id, int resourceId) {
  icons_.insert(id, LazyResourcePixmap(resourceId, 16));
  update();
}

int NMacMenu::SetItem(int id, const QString& text, const QString& iconPath) {
  if (texts_.isEmpty()) return 0;
  if (!text.isEmpty()) {
    texts_.insert(id, text);
    if (QAction* action = ItemAction(id)) action->setText(text);
  }
  if (!iconPath.isEmpty()) {
    icons_.remove(id);
    const QPixmap icon(iconPath);
    if (!icon.isNull()) icons_.insert(id, LazyResourcePixmap(icon));
  }
  update();
  return 1;
}

void NMacMenu::CheckItem(int id, bool checked) {
  if (QAction* action = ItemAction(id)) action->setChecked(checked);
}

void NMacMenu::EnableItem(int id, bool enabled) {
  if (QAction* action = ItemAction(id)) action->setEnabled(enabled);
}

void NMacMenu::SetBackgroundColor(ColorRef color) {
  background_ = color;
  update();
}
void NMacMenu::SetItemWidth(int width) {
  itemWidth_ = width;
}
void NMacMenu::SetSelectionColors(ColorRef text, ColorRef fill, ColorRef frame) {
  selectedText_ = text;
  selectionFill_ = fill;
  selectionFrame_ = frame;
  update();
}
void NMacMenu::SetMenuFont(const QFont& font) {
  font_ = font;
  setFont(font);
}
void NMacMenu::SetItemHeight(int height) {
  itemHeight_ = height;
}

QFont NMacMenu::MenuFont() const {
  return font_ ? *font_ : font();
}

QSize NMacMenu::MeasureItem(bool separator) {
  const int height = separator ? kSeparatorHeight : itemHeight_;
  if (itemWidth_ == 0) {
    QString longest;
    for (const QString& text : std::as_const(texts_))
      if (text.size() > longest.size()) longest = text;
    if (longest.isEmpty()) {
      return QSize(kSystemMenuButtonWidth, height);
    }
    itemWidth_ = MeasureGdiText(MenuFont(), longest, kDtSingleLine).width() + (HasIcons() ? 26 : 22);
  }
  return QSize(itemWidth_, height);
}

void NMacMenu::DrawItem(QPainter& painter, const QRect& itemRect, const QAction* action, bool selected) const {
  GdiPainter gdi(painter);
  GdiRect r = GdiRect::fromQRect(itemRect);
  const ColorRef background = background_ != 0 ? background_ : MakeColorRef(255, 255, 255);
  if (!action || action->isSeparator()) {
    if (r.height() > kSeparatorHeight) r.top = r.bottom - kSeparatorHeight;
    gdi.FillRect(r, background);
    r.top += 5;
    r.left += 6;
    r.right -= 6;
    gdi.EtchedTop(r);
    return;
  }
  const int id = IdOf(action);
  GdiRect textRect = r;
  textRect.top += 2;
  textRect.left += HasIcons() ? 26 : 22;
  painter.setFont(MenuFont());

  ColorRef textColor = text_;
  if (selected) {
    gdi.FrameRect(r, selectionFrame_);
    gdi.FillRect(r.inflated(-1, -1), selectionFill_);
    textColor = selectedText_;
  } else {
    gdi.FillRect(r, background);
  }
  const QString text = texts_.value(id, action->text());
  if (!action->isEnabled())
    gdi.DisabledText(textRect, text, kDtLeft | kDtVCenter | kDtSingleLine);
  else
    gdi.Text(textRect, text, kDtSingleLine | kDtVCenter | kDtEndEllipsis, textColor);

  const auto icon = icons_.constFind(id);
  if (icon != icons_.constEnd() && !icon->isNull()) {
    painter.drawPixmap(QRect(r.left + 4, r.top + (r.height() - 16) / 2, 16, 16), icon->pixmap());
  } else if (action->isChecked()) {
    const GdiRect box{r.left + 4, r.top + (r.height() - 14) / 2, r.left + 18, r.top + (r.height() - 14) / 2 + 14};
    gdi.FillRect(box, background);
    gdi.FrameRect(box, selectionFrame_);
    constexpr std::array<int, 7> kStrokeTops{6, 7, 8, 7, 6, 5, 4};
    for (int k = 0; k < 7; ++k) {
      const int x = box.left + 4 + k;
      const int top = box.top + kStrokeTops[static_cast<size_t>(k)];
      gdi.FillRect({x, top, x + 1, top + 3}, selectionFrame_);
    }
  }
}

void NMacMenu::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  GdiPainter gdi(painter);
  gdi.FillRect(GdiRect::fromQRect(rect()), background_);
  gdi.FrameRect(GdiRect::fromQRect(rect()), syscolor::kBtnShadow);
  for (QAction* action : actions()) {
    const QRect r = actionGeometry(action);
    if (!r.isValid() || !event->rect().intersects(r)) continue;
    DrawItem(painter, r, action, action == activeAction() && !action->isSeparator());
  }
}

}  // namespace orlane
