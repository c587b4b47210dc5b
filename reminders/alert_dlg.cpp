#include "reminders/alert_dlg.h"

#include "calendar/analog_clock.h"
#include "controls/color_theme.h"
#include "controls/flash_player.h"
#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "controls/media_player2.h"
#include "days/title_line.h"
#include "platform/audio/wave_player.h"
#include "platform/clock.h"
#include "reminders/alarm_scheduler.h"
#include "reminders/snooze.h"
#include "res/resources.h"
#include "sound/wav_image.h"

#include <QApplication>
#include <QLabel>
#include <QSpinBox>
#include <QTextEdit>

#include <algorithm>

namespace orlane {
namespace {

const QString kBeepOnly = QStringLiteral("Beep Only");
const QString kClockTitle = QStringLiteral("Clock");

const QRect kClockRect(20, 40, 405, 300);
const QRect kMediaRect(20, 40, 400, 300);
const QRect kTextRect(20, 343, 400, 97);
// The Snooze row below the note.
const QRect kSnoozeLabelRect(120, 452, 125, 22);
const QRect kSnoozeBoxRect(250, 452, 80, 22);
const QRect kSnoozeButtonRect(340, 451, 85, 24);

class WaitCursor final {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

bool IsFlashMovie(const QString& media) {
  return media.right(4).compare(QLatin1String(".swf"), Qt::CaseInsensitive) == 0;
}

struct Beep {
  bool ok = false;
  audio::WaveFormat format;
  QByteArray pcm;
};

const Beep& BuiltInBeep() {
  static const Beep beep = [] {
    Beep b;
    const WavImage image = ParseWavImage(ResourceData(kIdBeepWave));
    if (image.error != 0) return b;
    b.format = audio::WaveFormat::Pcm(image.format.channels, image.format.samplesPerSecond, image.format.bitsPerSample);
    b.pcm = image.pcm;
    b.ok = true;
    return b;
  }();
  return beep;
}

}  // namespace

void PlayReminderBeep() {
  const Beep& beep = BuiltInBeep();
  if (beep.ok) audio::PlayWaveBytes(beep.format, beep.pcm);
}

CReminderAlertDlg::CReminderAlertDlg(QWidget* parent)
    : CThemedDialog(parent), text_(QStringLiteral("No Title.")), title_(QStringLiteral("Orlane")) {
  mediaTimer_.setInterval(kMediaTimerMs);
  secondTimer_.setInterval(kSecondTimerMs);
  connect(&mediaTimer_, &QTimer::timeout, this, [this] { OnTimer(kMediaTimerId); });
  connect(&secondTimer_, &QTimer::timeout, this, [this] { OnTimer(kSecondTimerId); });
}

CReminderAlertDlg::~CReminderAlertDlg() {
  mediaTimer_.stop();
  secondTimer_.stop();
}

void CReminderAlertDlg::SetText(const QString& text) {
  if (!text.isEmpty()) text_ = text;
}

void CReminderAlertDlg::SetTitle(const QString& title) {
  title_ = title;
}

void CReminderAlertDlg::EnableSnooze(int minutes) {
  snoozeMinutes_ = std::clamp(minutes, kSnoozeMinMinutes, kSnoozeMaxMinutes);
}

void CReminderAlertDlg::OnInitDialog() {
  // The base lays out its title band over the window's width: size first.
  resize(kWidth, kHeight + (SnoozeOffered() ? kSnoozeRowHeight : 0));
  setWindowTitle(title_);
  WaitCursor wait;
  CThemedDialog::OnInitDialog();
  CenterWindow();

  CreateClock();
  CreateTextControl();
  if (SnoozeOffered()) CreateSnoozeRow();
  if (IsFlashMovie(media_)) {
    clock_->hide();
    flash_ = new NFlash(Client());
    flash_->Create(media_, kMediaRect, Client(), kFlashId);
    flash_->Play();
  } else if (!media_.isEmpty()) {
    CreatePlayer();
    mediaTimer_.start();
  }
  secondTimer_.start();
}

void CReminderAlertDlg::CreateClock() {
  const int theme = Theme();
  clock_ = new CAnalogClock(Client());
  clock_->setGeometry(kClockRect);
  clock_->SetShowSecondHand(false);
  clock_->SetBackgroundColor(ThemeColor(theme, 1));
  clock_->SetHandOutlineColor(ThemeColor(theme, 4));
  clock_->SetLightEdgeColor(ThemeColor(theme, 2));
  clock_->SetHandFillColor(ThemeColor(theme, 3));
  clock_->SetDialColor(ThemeColor(theme, 1));
  clock_->show();
}

void CReminderAlertDlg::CreateTextControl() {
  textControl_ = new QTextEdit(Client());
  textControl_->setGeometry(kTextRect);
  textControl_->setAccessibleName(QStringLiteral("Note"));
  textControl_->setAcceptRichText(false);
  textControl_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  textControl_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  textControl_->setLineWrapMode(QTextEdit::WidgetWidth);
  QPalette palette = textControl_->palette();
  palette.setColor(QPalette::Base, ToQColor(ThemeColor(Theme(), 1)));
  textControl_->setPalette(palette);
  textControl_->setFont(NormalFont());
  textControl_->setPlainText(text_);
  textControl_->show();
}

void CReminderAlertDlg::CreateSnoozeRow() {
  auto* label = new QLabel(QStringLiteral("Snooze for:"), Client());
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setFont(NormalFont());
  label->setGeometry(kSnoozeLabelRect);
  snoozeBox_ = new QSpinBox(Client());
  snoozeBox_->setRange(kSnoozeMinMinutes, kSnoozeMaxMinutes);
  snoozeBox_->setValue(snoozeMinutes_);
  snoozeBox_->setSuffix(QStringLiteral(" min"));
  snoozeBox_->setFont(NormalFont());
  snoozeBox_->setGeometry(kSnoozeBoxRect);
  snoozeBox_->setAccessibleName(QStringLiteral("Snooze minutes"));
  label->setBuddy(snoozeBox_);
  snoozeButton_ = new CMacButton(QStringLiteral("&Snooze"), kSnoozeId, Client());
  snoozeButton_->SetTheme(Theme());
  snoozeButton_->setFont(NormalFont());
  snoozeButton_->setGeometry(kSnoozeButtonRect);
  connect(snoozeButton_, &CMacButton::commandClicked, this, &CReminderAlertDlg::OnCommand);
  label->show();
  snoozeBox_->show();
  snoozeButton_->show();
}

void CReminderAlertDlg::OnCommand(int id) {
  if (id == kSnoozeId && SnoozeOffered())
    Snooze();
  else
    CThemedDialog::OnCommand(id);
}

void CReminderAlertDlg::Snooze() {
  if (!SnoozeOffered() || closed_) return;  // once, and never after the window closed
  Q_EMIT snoozeRequested(snoozeBox_ ? snoozeBox_->value() : snoozeMinutes_);
  accept();
}

void CReminderAlertDlg::CreatePlayer() {
  player_ = new CMediaPlayer2(Client());
  player_->hide();
  player_->setGeometry(kMediaRect);
  player_->SetShowStatusBar(false);
  player_->SetShowControls(false);
  player_->SetAutoStart(false);
  player_->SetShowDisplay(false);
  if (repeat_) player_->SetPlayCount(1000);
  player_->SetAutoRewind(repeat_);
  if (media_ != kBeepOnly) player_->SetFileName(media_);
}

void CReminderAlertDlg::OnTimer(int id) {
  if (id == kMediaTimerId)
    OnMediaTimer();
  else if (id == kSecondTimerId)
    OnSecondTimer();
}

bool CReminderAlertDlg::TimerActive(int id) const {
  if (id == kMediaTimerId) return mediaTimer_.isActive();
  if (id == kSecondTimerId) return secondTimer_.isActive();
  return false;
}

void CReminderAlertDlg::OnMediaTimer() {
  if (player_ == nullptr || player_->ReadyState() < 2) return;
  mediaTimer_.stop();
  if (media_.isEmpty() || media_ == kBeepOnly) return;
  // A sound alone has nothing to show: the clock stays.
  if (player_->HasVideo()) {
    clock_->hide();
    player_->show();
  }
  player_->Play();
}

void CReminderAlertDlg::OnSecondTimer() {
  if (media_ == kBeepOnly) {
    PlayReminderBeep();
  } else if (title_ == kClockTitle && textControl_ != nullptr) {
    textControl_->setPlainText(ClockInfoText(NowSeconds()));
  }
}

void CReminderAlertDlg::done(int result) {
  closed_ = true;
  mediaTimer_.stop();
  secondTimer_.stop();
  if (player_ != nullptr) player_->Stop();
  if (flash_ != nullptr) flash_->SetPlaying(false);
  CThemedDialog::done(result);
}

void CReminderAlertDlg::DescribeModal(ModalRequest& request) const {
  CThemedDialog::DescribeModal(request);
  request.text = text_;
  if (SnoozeOffered()) request.buttons << QStringLiteral("Snooze");
}

void ShowReminderAlert(const AlertRequest& alert, int theme, QWidget* parent) {
  CReminderAlertDlg dlg(parent);
  dlg.SetTheme(theme);
  dlg.SetText(QString::fromUtf8(alert.note));
  if (alert.repeat) dlg.SetRepeat();
  dlg.SetMedia(QString::fromUtf8(alert.media));
  dlg.SetTitle(alert.title);
  dlg.exec();
}

void ShowClockAlert(int theme, QWidget* parent) {
  CReminderAlertDlg dlg(parent);
  dlg.SetTheme(theme);
  dlg.SetText(ClockInfoText(NowSeconds()));
  dlg.SetTitle(kClockTitle);
  dlg.exec();
}

}  // namespace orlane
