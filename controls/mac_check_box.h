// CMacCheckBox: the program's owner-drawn check box (a 12 × 12 box with a drawn
// tick, text beside it) and CMacRadioButton, which only follows the theme.
// Mouse and space bar toggle the same way and report clicked/commandClicked(id).
#pragma once

#include "controls/color_theme.h"

#include <QCheckBox>
#include <QRadioButton>

namespace orlane {

struct CheckBoxColors {
  ColorRef highlight = 0, lightFace = 0, shadow = 0, outline = 0, mixLightShadow = 0;
  static CheckBoxColors ForTheme(int theme);
};

class CMacCheckBox : public QCheckBox {
  Q_OBJECT

 public:
  explicit CMacCheckBox(QWidget* parent = nullptr);
  CMacCheckBox(const QString& text, int controlId, QWidget* parent);
  Q_DISABLE_COPY_MOVE(CMacCheckBox)

  void SetTheme(int theme);
  int Theme() const { return theme_; }
  const CheckBoxColors& Colors() const { return colors_; }
  void SetChecked(bool checked);
  bool Checked() const { return isChecked(); }
  // Mouse button or space bar held on the control.
  bool Pressed() const { return isDown(); }

  void SetFlat(bool on);
  void SetLeftText(bool on);
  bool LeftText() const { return leftText_; }
  void SetControlId(int id) { controlId_ = id; }
  int ControlId() const { return controlId_; }

  // The 12 × 12 box inside the control.
  QRect BoxRect() const;

 Q_SIGNALS:
  void commandClicked(int controlId);

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  void Init();

  int theme_ = kDefaultControlTheme;
  CheckBoxColors colors_;
  bool flat_ = false;
  bool leftText_ = false;
  int controlId_ = 0;
};

class CMacRadioButton : public QRadioButton {
  Q_OBJECT

 public:
  explicit CMacRadioButton(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CMacRadioButton)

  void SetTheme(int theme);
  int Theme() const { return theme_; }
  // Colours 0..4, mix(1, 3) and mix(3, 4) of the theme.
  const std::array<ColorRef, 7>& Colors() const { return colors_; }

 private:
  int theme_ = kDefaultControlTheme;
  std::array<ColorRef, 7> colors_{};
};

}  // namespace orlane
