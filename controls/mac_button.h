// CMacButton: the program's owner-drawn push button. It paints itself in a
// colour theme (rounded, bevelled or flat), tracks the mouse for its hot ring,
// and can toggle or latch; it owns its icon. Clicks arrive as clicked() and
// commandClicked(id) with the numeric control id.
#pragma once

#include "controls/mac_button_look.h"
#include "res/resources.h"

#include <QPixmap>
#include <QPushButton>
#include <QTimer>

namespace orlane {

class CMacButton : public QPushButton {
  Q_OBJECT

 public:
  enum VisualState : int { kNormal = 0, kHot = 1, kPressed = 2 };
  enum ToggleMode : int { kPushMode = 0, kToggleMode = 1, kLatchMode = 2 };

  explicit CMacButton(QWidget* parent = nullptr);
  CMacButton(const QString& text, int controlId, QWidget* parent);
  ~CMacButton() override;
  Q_DISABLE_COPY_MOVE(CMacButton)

  void SetTheme(int theme);
  int Theme() const { return theme_; }
  const ButtonColors& Colors() const { return colors_; }

  void SetToggleMode(int mode);
  int ToggleModeValue() const { return toggleMode_; }
  // Does nothing when the state is already `state`; in the toggling modes the
  // state is also remembered as the latched state.
  void SetVisualState(int state, bool redraw);
  int GetVisualState() const { return state_; }
  int LatchedState() const { return latchedState_; }

  // Sets an icon resource (its number in the resource table), drawn at 16 or
  // 32 pixels at its first paint, replacing any earlier icon; a path loads an
  // image file instead.
  void SetIcon16(int resourceId);
  void SetIcon32(int resourceId);
  void SetIconPixmap(const QPixmap& pixmap, int size);
  bool HasIcon() const { return !icon_.isNull(); }
  int IconSize() const { return HasIcon() ? iconSize_ : 0; }

  // The tip appears 300 ms after the pointer comes to rest on the button.
  void SetTooltipText(const QString& text);
  static constexpr int kTooltipDelayMs = 300;

  void SetAccent(bool on) { accent_ = on; }
  bool Accent() const { return accent_; }
  void SetIconAbove(bool on) { iconAbove_ = on; }
  bool IconAbove() const { return iconAbove_; }
  void SetTabStyle(bool on) { tabStyle_ = on; }
  bool TabStyle() const { return tabStyle_; }
  // Corner ellipse of the rounded shape (6 × 6 by default); narrower than 30
  // pixels the button is square whatever is set here.
  void SetCornerEllipse(int w, int h);
  QSize CornerEllipse() const { return QSize(ellipseW_, ellipseH_); }

  // A press as the mouse makes it (toggling or latching), then the click;
  // what the accessible press action and the keyboard use.
  void Press();

  void SetControlId(int id) { controlId_ = id; }
  int ControlId() const { return controlId_; }

  bool RedrawBackground() const { return redrawBackground_; }

 Q_SIGNALS:
  void commandClicked(int controlId);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void Init();
  void PointerInside();
  void PointerOutside();
  ButtonLook Look() const;
  // The state change of a left button press; false when a latched button
  // swallows it.
  bool ApplyPress();
  bool CheckedLook() const;
  void AnnounceCheckedChange(bool wasChecked);

  int theme_ = kDefaultControlTheme;
  ButtonColors colors_;
  int state_ = kNormal;
  int toggleMode_ = kPushMode;
  int latchedState_ = kNormal;
  bool accent_ = false;
  bool iconAbove_ = false;
  bool tabStyle_ = false;
  bool redrawBackground_ = true;
  bool captureRegained_ = false;
  bool pointerInside_ = false;
  bool swallowedPress_ = false;
  LazyResourcePixmap icon_;
  int iconSize_ = 0;
  int ellipseW_ = 6;
  int ellipseH_ = 6;
  int controlId_ = 0;
  QTimer tooltipTimer_;
};

}  // namespace orlane
