#include "controls/msg_box_dlg.h"

#include "controls/bv_title.h"
#include "controls/color_label.h"
#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "controls/theme_frame.h"
#include "platform/program_info.h"
#include "res/resources.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QMessageBox>

#include <algorithm>

namespace orlane {

MsgBoxLayout ComputeMsgBoxLayout(int singleLineWidth, int wrappedHeight, int clientInset) {
  const int w = std::min(singleLineWidth, CMsgBoxDlg::kMaxTextWidth);
  MsgBoxLayout layout;
  layout.text = QRect(30, 55, w, wrappedHeight);
  if (w >= 160) {
    layout.window = QSize(w + 60, wrappedHeight + 120);
  } else {
    layout.window = QSize(220, wrappedHeight + 120);
    layout.text.moveLeft((220 - 2 * clientInset - w) / 2);
  }
  return layout;
}

CMsgBoxDlg::CMsgBoxDlg(const QString& text, int kind, int theme, QWidget* parent)
    : CThemedDialog(parent), text_(text), kind_(std::clamp(kind, 0, 3)) {
  SetTheme(theme);
}

CMacButton* CMsgBoxDlg::Button(int id) const {
  switch (id) {
    case 1: return buttons_[0];
    case 2: return buttons_[1];
    case kExtraButton1: return buttons_[2];
    case kExtraButton2: return buttons_[3];
    default: return nullptr;
  }
}

CMacButton* CMsgBoxDlg::MakeButton(const QString& text, int id) {
  auto* button = new CMacButton(text, id, Client());
  button->setFlat(true);
  button->setFont(NormalFont());
  button->SetTheme(Theme());
  connect(button, &CMacButton::commandClicked, this, &CMsgBoxDlg::OnCommand);
  button->show();
  return button;
}

void CMsgBoxDlg::OnInitDialog() {
  resize(500, 400);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  CloseButton()->hide();

  const unsigned measure = kDtNoPrefix;
  const int single = MeasureGdiText(NormalFont(), text_, measure | kDtSingleLine).width();
  const int wrapped = MeasureGdiText(NormalFont(), text_, measure | kDtWordBreak, kMaxTextWidth).height();
  const MsgBoxLayout layout = ComputeMsgBoxLayout(single, wrapped, kThemeFrameWidth);
  resize(layout.window);
  Title()->resize(ClientSize().width(), Title()->height());
  CenterWindow();

  label_ = new CColorLabel(text_, layout.text, Client());
  label_->SetFont(NormalFont());
  label_->SetTextFlags(kDtWordBreak | kDtNoPrefix);
  label_->SetBackgroundColor(ThemeColor(Theme(), kThemeLightFace));
  label_->show();

  buttons_[0] = MakeButton(QStringLiteral("&OK"), 1);
  buttons_[1] = MakeButton(QStringLiteral("&No"), 2);
  const int cw = ClientSize().width();
  const int top = ClientSize().height() - 40;
  switch (kind_) {
    case kNotice:
      buttons_[0]->setGeometry((cw - 68) / 2, top, 68, 23);
      buttons_[1]->hide();
      setWindowTitle(QStringLiteral("Message"));
      break;
    case kYesNo:
    case kRetryCancel: {
      const bool yesNo = kind_ == kYesNo;
      buttons_[0]->setText(yesNo ? QStringLiteral("&Yes") : QStringLiteral("&Retry"));
      buttons_[1]->setText(yesNo ? QStringLiteral("&No") : QStringLiteral("&Cancel"));
      const int x = (cw - 176) / 2;
      buttons_[0]->setGeometry(x, top, 68, 23);
      buttons_[1]->setGeometry(x + 108, top, 68, 23);
      setWindowTitle(QStringLiteral("Please select"));
      break;
    }
    default:
      LayOutCustomButtons();
      // The window manager and the task bar name every box.
      setWindowTitle(customTitle_.isEmpty() ? QString::fromLatin1(kProgramTitle) : customTitle_);
      break;
  }
  if (CMacButton* focused = Button(defaultButton_)) focused->setFocus();
  Title()->update();
}

void CMsgBoxDlg::LayOutCustomButtons() {
  QStringList texts = customTexts_.mid(0, 4);
  // A box without any button text could not be answered: it offers OK.
  if (texts.isEmpty()) texts << QStringLiteral("&OK");
  const int cw = ClientSize().width();
  const int ch = ClientSize().height();
  int right = cw - 20;
  for (qsizetype i = texts.size() - 1; i >= 0; --i) {
    CMacButton*& button = buttons_[static_cast<size_t>(i)];
    if (!button) button = MakeButton(texts[i], i == 2 ? kExtraButton1 : kExtraButton2);
    button->setText(texts[i]);
    const int width = std::max(MeasureGdiText(NormalFont(), texts[i], kDtSingleLine).width() + 10, 68);
    button->setGeometry(right - width, ch - 40, width, 23);
    right -= width + 10;
  }
  if (texts.size() < 2) buttons_[1]->hide();
}

void CMsgBoxDlg::OnCommand(int id) {
  switch (id) {
    case 1:
      msgResult_ = 0;
      accept();
      break;
    case 2:
      msgResult_ = 1;
      QDialog::reject();
      break;
    case kExtraButton1:
      msgResult_ = 2;
      accept();
      break;
    case kExtraButton2:
      msgResult_ = 3;
      accept();
      break;
    default: break;
  }
}

void CMsgBoxDlg::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::AltModifier);
  if (mods == Qt::NoModifier && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z)
    for (CMacButton* button : buttons_)
      if (button && button->isVisible() && button->isEnabled() &&
          QKeySequence::mnemonic(button->text()) ==
              QKeySequence(QKeyCombination(Qt::AltModifier, static_cast<Qt::Key>(event->key())))) {
        button->click();
        return;
      }
  CThemedDialog::keyPressEvent(event);
}

void CMsgBoxDlg::reject() {
  msgResult_ = 1;
  QDialog::reject();
}

int CMsgBoxDlg::exec() {
  const int shown = CThemedDialog::exec();
  if (msgResult_ < 0) msgResult_ = 1;  // closed without a button
  return shown;
}

void CMsgBoxDlg::DescribeModal(ModalRequest& request) const {
  CThemedDialog::DescribeModal(request);
  request.boxKind = kind_;
  request.text = text_;
  request.defaultButton = defaultButton_;
  for (const CMacButton* button : buttons_)
    if (button && !button->isHidden()) request.buttons << button->text();
}

void ThemedNotice(const QString& text, int theme, QWidget* parent) {
  CMsgBoxDlg box(text, CMsgBoxDlg::kNotice, theme, parent);
  box.exec();
}

int ThemedQuestion(const QString& text, int theme, QWidget* parent, int defaultButton) {
  CMsgBoxDlg box(text, CMsgBoxDlg::kYesNo, theme, parent);
  box.SetDefaultButton(defaultButton);
  box.exec();
  return box.Result() == 0 ? 1 : 0;
}

void ShowErrorMessage(const QString& text, QWidget* owner) {
  const QString title = QString::fromLatin1(kProgramTitle);
  if (HasModalResponder()) {
    ModalRequest request;
    request.dialogClass = QStringLiteral("ErrorMessageBox");
    request.text = text;
    request.title = title;
    request.buttons << QStringLiteral("OK");
    AskModalResponder(request);
    return;
  }
  QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok, owner);
  box.setIconPixmap(ResourcePixmap(kIdProgramIcon, 32));
  box.exec();
}

}  // namespace orlane
