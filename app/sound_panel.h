// The Sound Diary mode's work area: the volume controls, the recorder
// buttons, the input level and the waveform view.
#pragma once

#include "app/main_panel.h"

namespace orlane {

class SoundPanel final : public MainPanel {
  Q_OBJECT

 public:
  SoundPanel(QWidget* client, PanelHost& host, int theme);

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;
};

}  // namespace orlane
