#include "controls/wait_dlg.h"

#include "controls/bar_ctrl.h"
#include "controls/color_label.h"
#include "controls/mac_button.h"
#include "platform/services.h"

#include <QApplication>
#include <QPointer>
#include <QThread>

#include <memory>

namespace orlane {

// The running operation's window and how far the operation is.
struct WaitState {
  std::atomic<int> progress{0};
  std::atomic<int> maximum{100};
  std::atomic<bool> done{false};
  std::unique_ptr<CWaitDlg> dialog;
  QPointer<QWidget> owner;
};

namespace {
std::shared_ptr<WaitState> Shared() {
  return MadeService(&Services::wait);
}
}  // namespace

CWaitDlg::CWaitDlg(const QString& message, int maximum, int theme)
    : CThemedDialog(nullptr),
      message_(message.isEmpty() ? QStringLiteral("Please Wait...") : message),
      maximum_(maximum) {
  setWindowFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
  setAttribute(Qt::WA_ShowWithoutActivating);
  setModal(false);
  SetTheme(theme);
  timer_.setInterval(10);
  connect(&timer_, &QTimer::timeout, this, &CWaitDlg::Tick);
}

CWaitDlg::~CWaitDlg() = default;

void CWaitDlg::OnInitDialog() {
  resize(300, 130);
  CenterWindow();
  setWindowTitle(QStringLiteral("Please Wait..."));
  CThemedDialog::OnInitDialog();
  label_ = new CColorLabel(message_, QRect(30, 50, 240, 17), Client());
  label_->SetFont(NormalFont());
  label_->SetBackgroundColor(ThemeColor(Theme(), kThemeLightFace));
  label_->show();
  bar_ = new CBarCtrl(QRect(30, 85, 240, 15), Client());
  bar_->SetRange(0, maximum_);
  bar_->SetColor(ThemeColor(Theme(), kThemeShadow));
  bar_->SetEdge(true);
  CloseButton()->hide();
}

void CWaitDlg::Start(QWidget* owner, const QString& message, int maximum, int theme) {
  const std::shared_ptr<WaitState> shared = Shared();
  WaitState& s = *shared;
  s.dialog.reset();
  s.progress = 0;
  s.done = false;
  s.maximum = maximum;
  s.owner = owner;
  s.dialog = std::make_unique<CWaitDlg>(message, maximum, theme);
  s.dialog->EnsureInitialized();
  s.dialog->show();
  s.dialog->timer_.start();
}

void CWaitDlg::Progress(int value) {
  Shared()->progress.store(value, std::memory_order_relaxed);
}

void CWaitDlg::Done() {
  Shared()->done.store(true, std::memory_order_release);
  // Called on the GUI thread the dialog goes at once; from a worker, at the next tick.
  if (QThread::currentThread() == QCoreApplication::instance()->thread()) Finish();
}

CWaitDlg* CWaitDlg::Current() {
  return Shared()->dialog.get();
}

void CWaitDlg::Tick() {
  const std::shared_ptr<WaitState> shared = Shared();
  WaitState& s = *shared;
  if (!s.dialog) return;
  if (s.done.load(std::memory_order_acquire)) {
    Finish();
    return;
  }
  const int value = s.progress.load(std::memory_order_relaxed);
  s.dialog->bar_->SetPos(value);
  if (value == s.maximum.load()) s.dialog->hide();
  s.dialog->update();
}

void CWaitDlg::Finish() {
  const std::shared_ptr<WaitState> shared = Shared();
  WaitState& s = *shared;
  if (!s.dialog) return;
  s.dialog->timer_.stop();
  s.dialog->bar_->SetPos(s.maximum.load());
  s.dialog->hide();
  if (s.owner) s.owner->update();
  // The timer's own slot may be on the stack: let the event loop delete it.
  s.dialog.release()->deleteLater();
}

}  // namespace orlane
