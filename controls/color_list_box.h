// CColorListBox: a list box whose items the program draws: white background,
// a framed blue selection with white text, text 4 pixels from the left; item
// heights fixed or measured from each item's text. An item may carry a detail
// line (kDetailRole), drawn smaller and grey under its text.
#pragma once

#include "controls/color_theme.h"

#include <QListWidget>

namespace orlane {

class CColorListBox : public QListWidget {
  Q_OBJECT

 public:
  static constexpr int kDetailRole = Qt::UserRole + 1;

  explicit CColorListBox(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CColorListBox)

  // Empties the list and forgets the remembered selection.
  void ResetContent();
  // 0: each item measured from its text.
  void SetItemHeight(int height);
  int ItemHeight() const { return itemHeight_; }
  int MeasureItem(const QString& text) const;
  // The height the detail line adds under an item's text; 0 without one.
  int MeasureDetail(const QString& detail) const;
  QFont DetailFont() const;
  int RememberedSelection() const { return rememberedSelection_; }

  ColorRef Background() const { return MakeColorRef(255, 255, 255); }
  ColorRef SelectedBackground() const { return MakeColorRef(100, 150, 200); }
  ColorRef SelectionFrame() const { return MakeColorRef(180, 219, 250); }

 private:
  int itemHeight_ = 0;
  int rememberedSelection_ = -1;
};

}  // namespace orlane
