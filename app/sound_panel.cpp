#include "app/sound_panel.h"

#include "app/main_ids.h"
#include "controls/bar_ctrl.h"
#include "controls/color_theme.h"
#include "controls/msg_box_dlg.h"
#include "days/day_files.h"
#include "days/settings_file.h"
#include "security/error_log.h"
#include "security/session.h"
#include "sound/mixer_sliders.h"
#include "sound/recorder_controls.h"
#include "sound/sound_wave_wnd.h"

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QSlider>

namespace orlane {

namespace {
constexpr ButtonEntry kSoundButtons[] = {
    {ids::kPlay, "Play", 0, "Play the Recorded Sound"},
    {ids::kStop, "Stop", 0, "Stop the Recording or Stop Playing"},
    {ids::kPause, "Pause", 0, "Pause Playing"},
    {ids::kRecord, "Record", 0, "Start Recording"},
    {ids::kDeleteSound, "Delete", 0, "Delete the Recorded Sound"},
    {ids::kSaveSoundAs, "Save as", 0, "Save the selection as a WAV file"},
};
}  // namespace

SoundPanel::SoundPanel(QWidget* client, PanelHost& host, int theme) : WorkPanel(host, client), theme_(theme) {
  controls_.AddGroup(client, ids::kMixerGroup, "Volume Control");
  controls_.AddLabel(client, ids::kMicLabel, "Mic");
  controls_.AddLabel(client, ids::kMasterLabel, "Master");
  controls_.AddLabel(client, ids::kWaveLabel, "Wave");
  controls_.AddLabel(client, ids::kMicLevelLabel, "Mic:");
  for (int id : {ids::kMicSlider, ids::kMasterSlider, ids::kWaveSlider})
    controls_.Add(id, new QSlider(Qt::Horizontal, client))->setRange(0, 16);
  for (const ButtonEntry& s : kSoundButtons) controls_.AddButton(client, s, theme);
  levelBar_ = controls_.Add(ids::kLevelBar, new CBarCtrl(QRect(0, 0, 10, 10), client));
  levelBar_->SetEdge(true);  // visible while silent too
  view_ = controls_.Add(ids::kSoundView, new CSoundWaveWnd(client));
  view_->Create(QRect(0, 0, 10, 10), client, ids::kSoundView);
  view_->SetTheme(theme);
  // The level message of each recorded buffer (queued by the view).
  connect(view_, &CSoundWaveWnd::soundLevel, this, [this](int fullScale, int magnitude) {
    const LevelBarSetting s = LevelBarFor(fullScale, magnitude);
    levelBar_->SetRange(s.minimum, s.maximum);
    levelBar_->SetPos(s.position);
  });
  buttonTimer_.setInterval(kButtonTimerMs);
  connect(&buttonTimer_, &QTimer::timeout, this, &SoundPanel::RefreshButtons);
}

SoundPanel::~SoundPanel() = default;

CMixerSliders& SoundPanel::Mixer() {
  // Opened when the sliders are first shown: the sound card's mixer is not
  // needed before, and opening it costs the program's start.
  if (!mixer_) {
    mixer_ = new CMixerSliders(qobject_cast<QSlider*>(controls_.widget(ids::kMasterSlider)),
                               qobject_cast<QSlider*>(controls_.widget(ids::kWaveSlider)),
                               qobject_cast<QSlider*>(controls_.widget(ids::kMicSlider)), this);
    mixer_->SetLabels(qobject_cast<QLabel*>(controls_.widget(ids::kMasterLabel)),
                      qobject_cast<QLabel*>(controls_.widget(ids::kWaveLabel)),
                      qobject_cast<QLabel*>(controls_.widget(ids::kMicLabel)));
  }
  return *mixer_;
}

bool SoundPanel::OwnsCommand(int id) const {
  for (const ButtonEntry& s : kSoundButtons)
    if (s.id == id) return true;
  return false;
}

void SoundPanel::OnCommand(int id) {
  SoundEngine& engine = view_->Engine();
  if (engine.Busy()) return;  // a recording is still being stopped
  switch (id) {
    case ids::kPlay: engine.Play(); break;
    case ids::kStop: StopCommand(); break;
    case ids::kPause: engine.Pause(); break;
    case ids::kRecord: Record(); break;
    case ids::kDeleteSound: Delete(); break;
    case ids::kSaveSoundAs: SaveAs(); break;
    default: return;
  }
  RefreshButtons();
}

void SoundPanel::SetShown(bool shown) {
  WorkPanel::SetShown(shown);
  if (shown) {
    Mixer().Refresh();
    RefreshButtons();
    buttonTimer_.start();
  } else {
    buttonTimer_.stop();
    host_.EnableDayChoice(true, true);
  }
}

void SoundPanel::ApplyTheme(int theme) {
  WorkPanel::ApplyTheme(theme);
  theme_ = theme;
  view_->SetTheme(theme);
  levelBar_->SetColor(ThemeColor(ClampTheme(theme), kThemeShadow));
}

void SoundPanel::RefreshButtons() {
  const SoundEngine& engine = view_->Engine();
  const RecorderButtonStates states = RecorderButtons(engine.IsSoundOpen(), engine.State(), engine.Busy());
  for (const ButtonEntry& s : kSoundButtons) host_.CommandAction(s.id)->setEnabled(states.ForId(s.id));
  host_.EnableDayChoice(states.calendar, states.modeSwitch);
}

void SoundPanel::Tell(const SoundResult& result, bool tell) {
  if (result.message.isEmpty()) return;
  if (!tell)
    LogError("%s", qUtf8Printable(result.message));
  else if (result.errorBox)
    ShowErrorMessage(result.message, host_.Window());
  else
    ThemedNotice(result.message, theme_, host_.Window());
}

void SoundPanel::LoadDay(const QString& dayKey) {
  const QString path = DayFilePath(dayKey, DayFileKind::Sound);
  // The day's sound already shown is not read again.
  if (path == day_.path && view_->Engine().IsSoundOpen()) return;
  Tell(LoadDaySound(view_->Engine(), day_, path, CurrentPassword()));
  RefreshButtons();
}

void SoundPanel::Record() {
  const Settings& settings = host_.RunningSettings();
  if (day_.path.isEmpty()) return;  // no day loaded in this mode yet
  ResetLevel();
  Tell(RecordCommand(view_->Engine(), day_, settings.sampleRate, settings.bitsPerSample));
}

void SoundPanel::StopCommand() {
  StopForSave(true);
}

void SoundPanel::StopForSave(bool tell) {
  SoundEngine& engine = view_->Engine();
  const bool recording = engine.State() == SoundState::Recording || engine.InputOpen();
  const SoundResult result = orlane::StopCommand(engine, day_, CurrentPassword());
  if (!recording) return;
  ResetLevel();
  Tell(result, tell);
  // The calendar marks the day by its files: the new sound diary shows.
  host_.RedrawCalendar();
}

void SoundPanel::LeaveDay(bool tell) {
  StopForSave(tell);
  ForgetDaySound(view_->Engine(), day_);
  ResetLevel();
}

void SoundPanel::Delete() {
  // There is no undo: the person says so first, and a hasty key press keeps the sound.
  const bool ours = day_.state == DaySoundState::Shown || day_.state == DaySoundState::Unplayable;
  if (!ours || ThemedQuestion(DeleteSoundQuestion(), theme_, host_.Window(), 2) != 1) return;
  Tell(DeleteCommand(view_->Engine(), day_, CurrentPassword()));
  host_.RedrawCalendar();
}

void SoundPanel::SaveAs() {
  // An empty selection (the end mark at or before the start mark) writes nothing.
  const SoundEngine& engine = view_->Engine();
  const qint64 end = engine.EndMark() < 0 ? engine.DataLength() : engine.EndMark();
  if (!engine.IsSoundOpen() || end - engine.StartMark() <= 0) return;
  QFileDialog dialog(host_.Window());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(QLatin1String(kSaveAsSuffix));
  dialog.setNameFilter(QLatin1String(kSaveAsFilter));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  if (engine.SaveSelectionAsWave(dialog.selectedFiles().first()) != 1)
    ThemedNotice(QStringLiteral("The selection could not be saved as:\n%1").arg(dialog.selectedFiles().first()), theme_,
                 host_.Window());
}

void SoundPanel::ResetLevel() {
  levelBar_->SetPos(0);
}

}  // namespace orlane
