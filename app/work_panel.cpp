#include "app/work_panel.h"

#include "controls/mac_button.h"
#include "controls/mac_check_box.h"

namespace orlane {

WorkPanel::WorkPanel(PanelHost& host, QObject* parent) : QObject(parent), host_(host) {}

void WorkPanel::LayOut(const std::vector<ControlPlacement>& layout) {
  for (const ControlPlacement& p : layout)
    if (QWidget* w = controls_.widget(p.id); w && w->geometry() != p.rect) w->setGeometry(p.rect);
}

void WorkPanel::SetShown(bool shown) {
  for (int id : controls_.ids()) controls_.widget(id)->setVisible(shown);
}

void WorkPanel::ApplyTheme(int theme) {
  for (int id : controls_.ids()) {
    if (CMacButton* b = controls_.button(id)) b->SetTheme(theme);
    if (CMacCheckBox* c = controls_.check(id)) c->SetTheme(theme);
  }
}

}  // namespace orlane
