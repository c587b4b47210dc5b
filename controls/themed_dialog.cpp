#include "controls/themed_dialog.h"

#include "controls/bv_title.h"
#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "controls/program_fonts.h"
#include "controls/theme_frame.h"
#include "res/resources.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>

#include <algorithm>

namespace orlane {

CThemedDialog::CThemedDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), theme_(kDefaultControlTheme) {
  client_ = new QWidget(this);
  client_->setGeometry(kThemeFrameWidth, kThemeFrameWidth, 0, 0);
  setModal(true);
}

CThemedDialog::~CThemedDialog() = default;

void CThemedDialog::SetTheme(int theme) {
  theme_ = ClampTheme(theme);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, BackgroundColor());
  pal.setColor(QPalette::Button, BackgroundColor());
  setPalette(pal);
  update();
}

QColor CThemedDialog::BackgroundColor() const {
  return ToQColor(ThemeColor(theme_, kThemeLightFace));
}

QSize CThemedDialog::ClientSize() const {
  return QSize(std::max(0, width() - 2 * kThemeFrameWidth), std::max(0, height() - 2 * kThemeFrameWidth));
}

void CThemedDialog::SyncClient() {
  client_->setGeometry(QRect(QPoint(kThemeFrameWidth, kThemeFrameWidth), ClientSize()));
}

void CThemedDialog::SetClientSize(int width, int height) {
  resize(width + 2 * kThemeFrameWidth, height + 2 * kThemeFrameWidth);
}

void CThemedDialog::resizeEvent(QResizeEvent* event) {
  SyncClient();
  QDialog::resizeEvent(event);
}

void CThemedDialog::EnsureInitialized() {
  if (initialized_) return;
  initialized_ = true;
  SyncClient();
  OnInitDialog();
  SyncClient();
}

void CThemedDialog::OnInitDialog() {
  normalFont_ = DialogFont();
  boldFont_ = DialogBoldFont();
  setFont(normalFont_);
  SetTheme(theme_);  // palette from the theme

  const int cw = ClientSize().width();
  title_ = new CBVTitle(windowTitle(), QRect(0, 0, cw, 25), client_);
  title_->SetSkin(theme_);

  closeButton_ = new CMacButton(QString(), kCloseButtonId, client_);
  closeButton_->SetTheme(theme_);
  closeButton_->setFlat(true);
  closeButton_->setFont(boldFont_);
  closeButton_->SetIcon16(kIdCloseIcon);
  closeButton_->SetAccent(true);
  closeButton_->setGeometry(cw - 21, 3, 18, 18);
  closeButton_->setFocusPolicy(Qt::NoFocus);
  closeButton_->setAccessibleName(QStringLiteral("Close"));
  connect(closeButton_, &CMacButton::commandClicked, this, &CThemedDialog::OnCommand);
  closeButton_->show();
}

CMacButton* CThemedDialog::AddButton(const QString& text, int id, const QRect& rect) {
  auto* button = new CMacButton(text, id, client_);
  button->SetTheme(theme_);
  button->setFont(normalFont_);
  button->setGeometry(rect);
  connect(button, &CMacButton::commandClicked, this, &CThemedDialog::OnCommand);
  button->show();
  return button;
}

void CThemedDialog::OnCommand(int id) {
  if (id == 1)
    accept();
  else if (id == kCloseButtonId)
    reject();
}

void CThemedDialog::DescribeModal(ModalRequest& request) const {
  request.dialogClass = QString::fromLatin1(metaObject()->className()).section(QLatin1String("::"), -1);
  request.title = windowTitle();
}

int CThemedDialog::exec() {
  EnsureInitialized();
  if (HasModalResponder()) {
    ModalRequest request;
    request.dialog = this;
    DescribeModal(request);
    setResult(QDialog::Rejected);
    OnCommand(AskModalResponder(request));
    return result();
  }
  return QDialog::exec();
}

void CThemedDialog::showEvent(QShowEvent* event) {
  EnsureInitialized();
  QDialog::showEvent(event);
  if (IsAlert()) {
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }
}

void CThemedDialog::CenterWindow() {
  QRect area;
  if (const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr; owner && owner->isVisible())
    area = owner->frameGeometry();
  else if (const QScreen* screen = QGuiApplication::primaryScreen())
    area = screen->availableGeometry();
  if (area.isValid()) move(area.center() - QPoint(width() / 2, height() / 2));
}

void CThemedDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), BackgroundColor());
  PaintThemeFrame(painter, rect(), theme_);
}

void CThemedDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) {
    // The title switches between its active and inactive colours.
    if (title_) title_->update();
    if (closeButton_) closeButton_->update();
    update();
  }
  QDialog::changeEvent(event);
}

bool CThemedDialog::InDragBand(const QPoint& windowPos) const {
  const QPoint p = windowPos - client_->pos();
  return p.x() >= 0 && p.x() < 1600 && p.y() >= 0 && p.y() < kDragBandHeight;
}

void CThemedDialog::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && InDragBand(event->position().toPoint())) {
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  }
  QDialog::mousePressEvent(event);
}

void CThemedDialog::mouseMoveEvent(QMouseEvent* event) {
  if ((event->buttons() & Qt::LeftButton) && dragging_ && InDragBand(event->position().toPoint()) && !isMaximized()) {
    // The window system moves the window when it can; otherwise it follows here.
    if (!(windowHandle() && windowHandle()->startSystemMove())) move(event->globalPosition().toPoint() - dragOffset_);
  } else {
    dragging_ = false;
  }
  QDialog::mouseMoveEvent(event);
}

void CThemedDialog::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) dragging_ = false;
  QDialog::mouseReleaseEvent(event);
}

}  // namespace orlane
