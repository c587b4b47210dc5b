// NMacBtnGroup: a child window holding a grid of latching CMacButtons that act
// as one selection (one latched button). It owns its buttons and forwards the
// id of a newly clicked one as command(id), posted after the click.
#pragma once

#include "controls/mac_button.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QStringList>
#include <QWidget>

namespace orlane {

// The rectangle of grid cell (row, column) in a client area of the given size;
// neighbouring cells share their border pixel.
QRect GroupCellRect(QSize client, int rows, int columns, int row, int column);

class NMacBtnGroup : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kControlId = 0xFFFF;

  // Creates the visible group over `rect` of `parent`, filled with `background`.
  NMacBtnGroup(const QRect& rect, QWidget* parent, const QColor& background);
  ~NMacBtnGroup() override;
  Q_DISABLE_COPY_MOVE(NMacBtnGroup)

  // 1 when the buttons were made; 0 (and nothing made) when the lists differ
  // in length, rows or columns are not positive, or the grid is too small.
  int CreateButtons(const QStringList& captions, const QList<int>& ids, int rows, int columns, const QFont& font,
                    bool tabStyle);

  void Select(int id);
  int SelectedId() const;
  CMacButton* Find(int id) const;
  const QList<CMacButton*>& Buttons() const { return buttons_; }
  void SetTheme(const QColor& background, int theme);
  int Rows() const { return rows_; }
  int Columns() const { return columns_; }

 Q_SIGNALS:
  void command(int id);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void OnButtonClicked(int id);

  QColor background_;
  QList<CMacButton*> buttons_;  // children of this window
  int rows_ = 0;
  int columns_ = 0;
};

}  // namespace orlane
