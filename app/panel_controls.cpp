#include "app/panel_controls.h"

#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/program_fonts.h"

#include <QGroupBox>
#include <QLabel>

namespace orlane {

CMacButton* ControlSet::button(int id) const {
  return qobject_cast<CMacButton*>(byId_.value(id));
}

CMacCheckBox* ControlSet::check(int id) const {
  return qobject_cast<CMacCheckBox*>(byId_.value(id));
}

CMacButton* ControlSet::AddButton(QWidget* parent, const ButtonEntry& entry, int theme) {
  auto* b = new CMacButton(QString::fromUtf8(entry.caption), entry.id, parent);
  b->SetTheme(theme);
  if (entry.bitmap) b->SetIcon16(entry.bitmap);
  b->SetTooltipText(QString::fromUtf8(entry.tip));
  b->setFont(DialogFont());
  // Enter does nothing in the main window: no button presses itself on Enter.
  b->setAutoDefault(false);
  b->setDefault(false);
  return Add(entry.id, b);
}

CMacCheckBox* ControlSet::AddCheck(QWidget* parent, int id, const char* caption, int theme) {
  auto* box = new CMacCheckBox(QString::fromUtf8(caption), id, parent);
  box->SetTheme(theme);
  box->setFont(DialogFont());
  return Add(id, box);
}

QLabel* ControlSet::AddLabel(QWidget* parent, int id, const char* text) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setFont(DialogFont());
  return Add(id, label);
}

QGroupBox* ControlSet::AddGroup(QWidget* parent, int id, const char* title) {
  auto* g = new QGroupBox(QString::fromUtf8(title), parent);
  g->setFont(DialogFont());
  g->lower();
  return Add(id, g);
}

}  // namespace orlane
