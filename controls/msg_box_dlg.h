// CMsgBoxDlg: the themed message box: a notice (OK), a yes/no or retry/cancel
// question, or up to four buttons of the caller's. It measures its message and
// sizes itself around it (at least 220 pixels wide, wrapping at 440). Also the
// two helpers every part uses, and the plain error box for technical errors.
#pragma once

#include "controls/themed_dialog.h"

#include <QRect>
#include <QStringList>
#include <array>

namespace orlane {

class CColorLabel;
class CMacButton;

// The measured layout of a message box (window size, text rectangle in
// client coordinates), computed from the message's measured extent.
struct MsgBoxLayout {
  QSize window;
  QRect text;
};
MsgBoxLayout ComputeMsgBoxLayout(int singleLineWidth, int wrappedHeight, int clientInset);

class CMsgBoxDlg : public CThemedDialog {
  Q_OBJECT

 public:
  enum Kind : int { kNotice = 0, kYesNo = 1, kRetryCancel = 2, kCustom = 3 };
  static constexpr int kMaxTextWidth = 440;
  static constexpr int kExtraButton1 = 201;
  static constexpr int kExtraButton2 = 202;

  CMsgBoxDlg(const QString& text, int kind, int theme, QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CMsgBoxDlg)

  // Kind 3 only: button texts (the first 4 are used) and the title.
  void SetCustomButtons(const QStringList& texts) { customTexts_ = texts; }
  void SetCustomTitle(const QString& title) { customTitle_ = title; }
  // The button that has the focus when the box opens (1 by default; 2 makes
  // "No" the answer of a hasty key press).
  void SetDefaultButton(int id) { defaultButton_ = id; }

  // 0 for button id 1, 1 for id 2 and for closing, 2 for 201, 3 for 202;
  // -1 until a button is pressed.
  int Result() const { return msgResult_; }
  int exec() override;
  void OnCommand(int id) override;
  void reject() override;

  const QString& Text() const { return text_; }
  bool IsAlert() const override { return true; }
  QString AlertText() const override { return text_; }
  int Kind() const { return kind_; }
  CColorLabel* Label() const { return label_; }
  CMacButton* Button(int id) const;

 protected:
  void OnInitDialog() override;
  void DescribeModal(ModalRequest& request) const override;
  // A button's underlined letter answers the box, with Alt or without.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  CMacButton* MakeButton(const QString& text, int id);
  void LayOutCustomButtons();

  QString text_;
  int kind_;
  QStringList customTexts_;
  QString customTitle_ = QStringLiteral("Please select:");
  int msgResult_ = -1;
  int defaultButton_ = 1;
  CColorLabel* label_ = nullptr;
  std::array<CMacButton*, 4> buttons_{};  // ids 1, 2, 201, 202
};

// A notice of kind 0 in the theme, shown modally.
void ThemedNotice(const QString& text, int theme, QWidget* parent = nullptr);
// A yes/no question; 1 only when "&Yes" was chosen. defaultButton 2 gives "No"
// the focus.
int ThemedQuestion(const QString& text, int theme, QWidget* parent = nullptr, int defaultButton = 1);
// The plain system-style error box: program title, program icon, OK.
void ShowErrorMessage(const QString& text, QWidget* owner = nullptr);

}  // namespace orlane
