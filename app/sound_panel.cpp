#include "app/sound_panel.h"

#include "app/main_ids.h"
#include "controls/bar_ctrl.h"

#include <QFrame>
#include <QSlider>

namespace orlane {

namespace {
constexpr ButtonSpec kSoundButtons[] = {
    {ids::kPlay, "Play", 0, "Play the Recorded Sound"},
    {ids::kStop, "Stop", 0, "Stop the Recording or Stop Playing"},
    {ids::kPause, "Pause", 0, "Pause Playing"},
    {ids::kRecord, "Record", 0, "Start Recording"},
    {ids::kDeleteSound, "Delete", 0, "Delete the Recorded Sound"},
    {ids::kSaveSoundAs, "Save as", 0, "Save the selection as a WAV file"},
};
}  // namespace

SoundPanel::SoundPanel(QWidget* client, PanelHost& host, int theme) : MainPanel(host, client) {
  controls_.AddGroup(client, ids::kMixerGroup, "Volume Control");
  controls_.AddLabel(client, ids::kMicLabel, "Mic");
  controls_.AddLabel(client, ids::kMasterLabel, "Master");
  controls_.AddLabel(client, ids::kWaveLabel, "Wave");
  controls_.AddLabel(client, ids::kMicLevelLabel, "Mic:");
  for (int id : {ids::kMicSlider, ids::kMasterSlider, ids::kWaveSlider})
    controls_.Add(id, new QSlider(Qt::Horizontal, client))->setRange(0, 16);
  for (const ButtonSpec& s : kSoundButtons) controls_.AddButton(client, s, theme);
  controls_.Add(ids::kLevelBar, new CBarCtrl(QRect(0, 0, 10, 10), client));
  controls_.Add(ids::kSoundView, new QFrame(client))->setFrameShape(QFrame::StyledPanel);
}

bool SoundPanel::OwnsCommand(int id) const {
  for (const ButtonSpec& s : kSoundButtons)
    if (s.id == id) return true;
  return false;
}

void SoundPanel::OnCommand(int) {}  // the recorder comes with the sound diary

}  // namespace orlane
