#include "controls/color_list_box.h"

#include "controls/gdi_painter.h"

#include <QFontInfo>
#include <QPainter>
#include <QStyledItemDelegate>

#include <algorithm>

namespace orlane {

namespace {
class ColorItemDelegate final : public QStyledItemDelegate {
 public:
  explicit ColorItemDelegate(CColorListBox* list) : QStyledItemDelegate(list), list_(list) {}

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QSize(option.rect.width(), list_->MeasureItem(index.data().toString()) +
                                          list_->MeasureDetail(index.data(CColorListBox::kDetailRole).toString()));
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    GdiPainter gdi(*painter);
    const GdiRect r = GdiRect::fromQRect(option.rect);
    const bool selected = option.state & QStyle::State_Selected;
    ColorRef text = FromQColor(option.palette.color(QPalette::Text));
    if (selected) {
      gdi.FillRect(r, list_->SelectedBackground());
      gdi.FrameRect(r, list_->SelectionFrame());
      text = MakeColorRef(255, 255, 255);
    } else {
      gdi.FillRect(r, list_->Background());
    }
    const QString detail = index.data(CColorListBox::kDetailRole).toString();
    const int detailHeight = list_->MeasureDetail(detail);
    painter->setFont(list_->font());
    gdi.Text({r.left + 4, r.top, r.right, r.bottom - detailHeight}, index.data().toString(),
             kDtSingleLine | kDtVCenter | kDtNoPrefix, text);
    if (detailHeight == 0) return;
    painter->setFont(list_->DetailFont());
    gdi.Text({r.left + 8, r.bottom - detailHeight, r.right - 2, r.bottom - 1}, detail,
             kDtSingleLine | kDtVCenter | kDtNoPrefix | kDtEndEllipsis, selected ? text : MakeColorRef(96, 96, 96));
  }

 private:
  CColorListBox* list_;
};
}  // namespace

CColorListBox::CColorListBox(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new ColorItemDelegate(this));
  setUniformItemSizes(false);
  QPalette pal = palette();
  pal.setColor(QPalette::Base, ToQColor(Background()));
  setPalette(pal);
  connect(this, &QListWidget::currentRowChanged, this, [this](int row) { rememberedSelection_ = row; });
}

void CColorListBox::ResetContent() {
  clear();
  rememberedSelection_ = -1;
}

void CColorListBox::SetItemHeight(int height) {
  itemHeight_ = std::max(0, height);
  doItemsLayout();
}

int CColorListBox::MeasureItem(const QString& text) const {
  if (itemHeight_ > 0) return itemHeight_;
  const QString measured = text.isEmpty() ? QStringLiteral("W") : text;
  return MeasureGdiText(font(), measured, kDtNoPrefix | kDtWordBreak, std::max(1, viewport()->width())).height() + 3;
}

int CColorListBox::MeasureDetail(const QString& detail) const {
  if (detail.isEmpty()) return 0;
  return MeasureGdiText(DetailFont(), detail, kDtNoPrefix | kDtSingleLine).height() + 2;
}

QFont CColorListBox::DetailFont() const {
  QFont small = font();
  small.setPixelSize(std::max(8, QFontInfo(font()).pixelSize() - 2));
  return small;
}

}  // namespace orlane
