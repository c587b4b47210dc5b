// CWorkDialog: a themed dialog that runs one long piece of work off the GUI
// thread with a progress bar. Cancel, Escape and closing the window ask the
// work to stop; the window stays until it has, then WorkFinished runs on the
// GUI thread. Derived dialogs call StopWork in their destructor, before the
// state the work writes into is destroyed.
#pragma once

#include "controls/themed_dialog.h"

#include <QTimer>

#include <atomic>
#include <functional>
#include <memory>

class QThread;

namespace orlane {

class CBarCtrl;

class CWorkDialog : public CThemedDialog {
  Q_OBJECT

 public:
  // What the work reports: done of total; false asks it to stop.
  using Progress = std::function<bool(qint64 done, qint64 total)>;

  explicit CWorkDialog(QWidget* parent = nullptr);
  ~CWorkDialog() override;
  Q_DISABLE_COPY_MOVE(CWorkDialog)

  bool Running() const { return worker_ != nullptr; }
  CBarCtrl* Bar() const { return bar_; }
  void OnCommand(int id) override;

 protected:
  // The progress bar at rect, in the theme's shadow colour.
  CBarCtrl* AddProgressBar(const QRect& rect);
  // Runs work on a worker thread; nothing else may run meanwhile.
  void StartWork(std::function<void(const Progress&)> work);
  // Asks the work to stop and waits for it.
  void StopWork();
  virtual void WorkFinished() = 0;

  void closeEvent(QCloseEvent* event) override;
  void reject() override;

 private:
  void ShowProgress();
  void Finish();

  CBarCtrl* bar_ = nullptr;
  std::unique_ptr<QThread> worker_;
  std::atomic<qint64> done_{0};
  std::atomic<qint64> total_{1};
  std::atomic<bool> cancelRequested_{false};
  QTimer progressTimer_;
};

}  // namespace orlane
