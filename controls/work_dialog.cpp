#include "controls/work_dialog.h"

#include "controls/bar_ctrl.h"
#include "controls/color_theme.h"

#include <QCloseEvent>
#include <QThread>

#include <algorithm>

namespace orlane {

namespace {
// The bar counts in these steps, so totals beyond what an int holds fit.
constexpr qint64 kBarSteps = 1000;
}  // namespace

CWorkDialog::CWorkDialog(QWidget* parent) : CThemedDialog(parent) {
  progressTimer_.setInterval(50);
  connect(&progressTimer_, &QTimer::timeout, this, &CWorkDialog::ShowProgress);
}

CWorkDialog::~CWorkDialog() {
  StopWork();
}

CBarCtrl* CWorkDialog::AddProgressBar(const QRect& rect) {
  bar_ = new CBarCtrl(rect, Client());
  bar_->SetColor(ThemeColor(Theme(), kThemeShadow));
  bar_->SetRange(0, static_cast<int>(kBarSteps));
  bar_->show();
  return bar_;
}

void CWorkDialog::StartWork(std::function<void(const Progress&)> work) {
  if (worker_) return;
  done_ = 0;
  total_ = 1;
  cancelRequested_ = false;
  worker_.reset(QThread::create([this, work = std::move(work)] {
    work([this](qint64 done, qint64 total) {
      done_ = done;
      total_ = total;
      return !cancelRequested_.load();
    });
  }));
  connect(worker_.get(), &QThread::finished, this, &CWorkDialog::Finish, Qt::QueuedConnection);
  progressTimer_.start();
  worker_->start();
}

void CWorkDialog::StopWork() {
  if (!worker_) return;
  cancelRequested_ = true;
  worker_->wait();
}

void CWorkDialog::ShowProgress() {
  if (!bar_) return;
  const qint64 total = std::max<qint64>(1, total_.load());
  bar_->SetPos(static_cast<int>(std::clamp<qint64>(done_.load(), 0, total) * kBarSteps / total));
}

void CWorkDialog::Finish() {
  if (!worker_) return;
  worker_->wait();
  worker_.reset();
  progressTimer_.stop();
  ShowProgress();
  WorkFinished();
}

void CWorkDialog::OnCommand(int id) {
  if (worker_) {
    // Only Cancel counts while the work runs; Finish closes the window once it has stopped.
    if (id == kCloseButtonId) cancelRequested_ = true;
    return;
  }
  CThemedDialog::OnCommand(id);
}

void CWorkDialog::closeEvent(QCloseEvent* event) {
  if (worker_) {
    cancelRequested_ = true;
    event->ignore();
    return;
  }
  CThemedDialog::closeEvent(event);
}

void CWorkDialog::reject() {
  if (worker_) {
    cancelRequested_ = true;
    return;
  }
  CThemedDialog::reject();
}

}  // namespace orlane
