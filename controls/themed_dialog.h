// CThemedDialog: the base of the program's dialogs. A frameless dialog with
// the three-ring theme frame on its 3-pixel border, a client area inside it
// (where derived dialogs place their controls in client coordinates), the
// title band, the close button (id 2), the theme's colours and dragging by the
// top 24 pixels. exec() answers through the modal responder when one is set.
#pragma once

#include "controls/modal_responder.h"

#include <QDialog>
#include <QFont>

namespace orlane {

class CBVTitle;
class CMacButton;

class CThemedDialog : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kCloseButtonId = 2;
  static constexpr int kDragBandHeight = 24;

  explicit CThemedDialog(QWidget* parent = nullptr);
  ~CThemedDialog() override;
  Q_DISABLE_COPY_MOVE(CThemedDialog)

  // To be called before the dialog is shown.
  void SetTheme(int theme);
  int Theme() const { return theme_; }

  // The area inside the frame; its size is the window's minus the border.
  QWidget* Client() const { return client_; }
  QSize ClientSize() const;
  // Sizes the window so that its client area gets the given size.
  void SetClientSize(int width, int height);

  CBVTitle* Title() const { return title_; }
  CMacButton* CloseButton() const { return closeButton_; }
  const QFont& NormalFont() const { return normalFont_; }
  const QFont& BoldFont() const { return boldFont_; }
  QColor BackgroundColor() const;
  bool Dragging() const { return dragging_; }

  // Builds the dialog's controls once (before the first show or answer).
  void EnsureInitialized();
  int exec() override;

  // A command from a control of the dialog (the id of the button pressed).
  virtual void OnCommand(int id);
  // Message boxes and reminder alerts read as alerts with their text (the
  // message, the note) and are announced when they open.
  virtual bool IsAlert() const { return false; }
  virtual QString AlertText() const { return {}; }

 protected:
  // Derived dialogs call the base first, then size themselves and build
  // their controls in code.
  virtual void OnInitDialog();
  // What a modal responder is told about this dialog.
  virtual void DescribeModal(ModalRequest& request) const;

  void showEvent(QShowEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

  // Centres the window on the screen (or on its parent window when it has one).
  void CenterWindow();
  // A button of the client area in the dialog's theme and font, shown at rect;
  // a press comes to OnCommand with its id.
  CMacButton* AddButton(const QString& text, int id, const QRect& rect);

 private:
  bool InDragBand(const QPoint& windowPos) const;
  // Keeps the client area inside the border (a hidden window gets no resize events).
  void SyncClient();

  int theme_;
  QWidget* client_ = nullptr;
  CBVTitle* title_ = nullptr;
  CMacButton* closeButton_ = nullptr;
  QFont normalFont_;
  QFont boldFont_;
  bool initialized_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace orlane
