// CReminderAlertDlg: the window that presents one reminder (its note, a
// clock or its movie, its sound) and, titled "Clock", the information clock
// whose text follows the time. Timer 3000 waits for the media player to be
// ready before showing and starting it; timer 3001 beeps once a second for
// "Beep Only" and refreshes the information clock's text. It closes only on
// the user's command (Esc, the close button or Snooze) and stores nothing:
// Snooze, offered for due and missed reminders, only says how many minutes.
#pragma once

#include "controls/themed_dialog.h"

#include <QString>
#include <QTimer>

class QSpinBox;
class QTextEdit;

namespace orlane {

class CAnalogClock;
class CMacButton;
class CMediaPlayer2;
class NFlash;
struct AlertRequest;

class CReminderAlertDlg final : public CThemedDialog {
  Q_OBJECT

 public:
  static constexpr int kMediaTimerId = 3000;
  static constexpr int kMediaTimerMs = 500;
  static constexpr int kSecondTimerId = 3001;
  static constexpr int kSecondTimerMs = 1000;
  static constexpr int kWidth = 445;
  static constexpr int kHeight = 450;
  static constexpr int kFlashId = 1001;
  // The extra button id a modal responder answers with to snooze.
  static constexpr int kSnoozeId = 201;
  static constexpr int kSnoozeRowHeight = 34;

  explicit CReminderAlertDlg(QWidget* parent = nullptr);
  ~CReminderAlertDlg() override;
  Q_DISABLE_COPY_MOVE(CReminderAlertDlg)

  // Set before the window is shown.
  void SetMedia(const QString& media) { media_ = media; }
  // An empty text leaves "No Title.".
  void SetText(const QString& text);
  void SetTitle(const QString& title);
  void SetRepeat() { repeat_ = true; }
  // Offers Snooze with the minutes box at minutes (1-1440; others are clamped).
  void EnableSnooze(int minutes);

  QString Media() const { return media_; }
  QString Text() const { return text_; }
  bool IsAlert() const override { return true; }
  QString AlertText() const override { return text_; }
  QString TitleText() const { return title_; }
  bool Repeat() const { return repeat_; }
  bool SnoozeOffered() const { return snoozeMinutes_ > 0; }
  QSpinBox* SnoozeBox() const { return snoozeBox_; }
  CMacButton* SnoozeButton() const { return snoozeButton_; }
  // Snoozes for the minutes in the box and closes the window.
  void Snooze();
  void OnCommand(int id) override;

  // What the timers do on each period (tests call them directly).
  void OnTimer(int id);
  bool TimerActive(int id) const;

  // Closing ends the timers and the sound at once, before the window goes.
  void done(int result) override;

 Q_SIGNALS:
  // Sent just before the window closes by Snooze.
  void snoozeRequested(int minutes);

 public:
  CAnalogClock* Clock() const { return clock_; }
  QTextEdit* TextControl() const { return textControl_; }
  CMediaPlayer2* Player() const { return player_; }
  NFlash* Flash() const { return flash_; }

 protected:
  void OnInitDialog() override;
  void DescribeModal(ModalRequest& request) const override;

 private:
  void CreateClock();
  void CreateTextControl();
  void CreatePlayer();
  void CreateSnoozeRow();
  void OnMediaTimer();
  void OnSecondTimer();

  CMediaPlayer2* player_ = nullptr;
  QString media_;
  QString text_;
  QString title_;
  QTextEdit* textControl_ = nullptr;
  CAnalogClock* clock_ = nullptr;
  bool repeat_ = false;
  NFlash* flash_ = nullptr;
  int snoozeMinutes_ = 0;  // 0: no Snooze
  bool closed_ = false;
  QSpinBox* snoozeBox_ = nullptr;
  CMacButton* snoozeButton_ = nullptr;
  QTimer mediaTimer_;
  QTimer secondTimer_;
};

// The built-in beep (WAVE resource 208), played asynchronously; silent
// without a sound device or when the resource cannot be read.
void PlayReminderBeep();

// Shows one reminder modal and returns when the user has closed it.
void ShowReminderAlert(const AlertRequest& alert, int theme, QWidget* parent);
// The information clock: the analog clock and a text that follows the time.
void ShowClockAlert(int theme, QWidget* parent);

}  // namespace orlane
