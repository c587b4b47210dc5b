// NMacMenu: a popup menu whose items the program draws itself: a flat
// background, a framed selection bar, optional 16 × 16 icons and a drawn tick.
// It owns its icons; items report their command id through command(id).
#pragma once

#include "controls/color_theme.h"
#include "res/resources.h"

#include <QFont>
#include <QHash>
#include <QMenu>
#include <QPixmap>
#include <optional>

namespace orlane {

class NMacMenu : public QMenu {
  Q_OBJECT

 public:
  // Item flags as the classic menu calls take them.
  enum ItemFlag : unsigned {
    kMfString = 0,
    kMfGrayed = 0x1,
    kMfChecked = 0x8,
    kMfOwnerDraw = 0x100,
    kMfSeparator = 0x800,
  };
  static constexpr int kSeparatorHeight = 12;
  static constexpr int kSystemMenuButtonWidth = 19;

  explicit NMacMenu(QWidget* parent = nullptr);
  ~NMacMenu() override;
  Q_DISABLE_COPY_MOVE(NMacMenu)

  QAction* AppendItem(unsigned flags, int id, const QString& text);
  // An action shared with buttons and keys: its data is the command id.
  void AppendAction(QAction* action);
  // Sets an icon resource for the item, drawn at 16 × 16 when first painted.
  void SetIcon(int id, int resourceId);
  // 0 (and nothing done) while no item text is stored; else 1.
  int SetItem(int id, const QString& text, const QString& iconPath);
  void CheckItem(int id, bool checked);
  void EnableItem(int id, bool enabled);
  QAction* ItemAction(int id) const;
  QString ItemText(int id) const { return texts_.value(id); }
  bool HasIcons() const { return !icons_.isEmpty(); }

  void SetBackgroundColor(ColorRef color);
  void SetItemWidth(int width);
  void SetSelectionColors(ColorRef text, ColorRef fill, ColorRef frame);
  void SetMenuFont(const QFont& font);
  void SetItemHeight(int height);

  ColorRef BackgroundColor() const { return background_; }
  ColorRef SelectionFill() const { return selectionFill_; }
  ColorRef SelectionFrame() const { return selectionFrame_; }

  // The owner-draw callbacks: the size of an item and its painting.
  QSize MeasureItem(bool separator);
  void DrawItem(QPainter& painter, const QRect& itemRect, const QAction* action, bool selected) const;

 Q_SIGNALS:
  void command(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QFont MenuFont() const;

  QHash<int, QString> texts_;
  QHash<int, LazyResourcePixmap> icons_;
  std::optional<QFont> font_;
  ColorRef background_ = MakeColorRef(224, 223, 227);
  ColorRef text_ = MakeColorRef(0, 0, 0);
  ColorRef selectionFill_ = MakeColorRef(210, 230, 255);
  ColorRef selectionFrame_ = MakeColorRef(80, 100, 180);
  ColorRef selectedText_ = MakeColorRef(0, 0, 0);
  int itemHeight_ = 20;
  int itemWidth_ = 0;
};

}  // namespace orlane
