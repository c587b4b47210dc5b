#include "app/command_actions.h"

#include "app/command_keys.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/mac_menu.h"

#include <QAction>
#include <QWidget>

namespace orlane {

CommandActions::CommandActions(QWidget* window) : QObject(window), window_(window) {}

QAction* CommandActions::Action(int id) {
  if (QAction* existing = actions_.value(id)) return existing;
  auto* action = new QAction(this);
  action->setData(id);
  action->setShortcutContext(Qt::WindowShortcut);
  connect(action, &QAction::triggered, this, [this, id] { Q_EMIT command(id); });
  actions_.insert(id, action);
  return action;
}

void CommandActions::BindButton(CMacButton* button) {
  QAction* action = Action(button->ControlId());
  if (action->text().isEmpty()) action->setText(button->text().isEmpty() ? button->toolTip() : button->text());
  if (action->toolTip().isEmpty() || action->toolTip() == action->text()) action->setToolTip(button->toolTip());
  connect(button, &CMacButton::commandClicked, action, [action, button] {
    // The click already switched a toggle button: the action takes its state.
    if (action->isCheckable()) action->setChecked(button->GetVisualState() != CMacButton::kPressed);
    action->trigger();
  });
  connect(action, &QAction::toggled, button,
          [button](bool on) { button->SetVisualState(on ? CMacButton::kPressed : CMacButton::kNormal, true); });
  connect(action, &QAction::changed, button, [action, button] { button->setEnabled(action->isEnabled()); });
}

void CommandActions::BindCheck(CMacCheckBox* box) {
  QAction* action = Action(box->ControlId());
  if (action->text().isEmpty()) action->setText(box->text());
  connect(box, &CMacCheckBox::commandClicked, action, &QAction::trigger);
  connect(action, &QAction::changed, box, [action, box] { box->setEnabled(action->isEnabled()); });
}

void CommandActions::AddToMenu(NMacMenu* menu, int id, const QString& text, int bitmap) {
  QAction* action = Action(id);
  action->setText(text);
  menu->AppendAction(action);
  if (bitmap) menu->SetIcon(id, bitmap);
}

void CommandActions::ApplyKeys(int mode, const std::function<QWidget*(int id)>& controlById) {
  QHash<QAction*, QList<QKeySequence>> keys;
  for (const CommandKey& key : CommandKeys()) {
    QAction* action = Action(key.command);
    QWidget* scope = key.scope ? controlById(key.scope) : window_;
    if (!scope) continue;
    if (!scope->actions().contains(action)) scope->addAction(action);
    action->setShortcutContext(key.scope ? Qt::WidgetShortcut : Qt::WindowShortcut);
    QList<QKeySequence>& sequences = keys[action];
    if (KeyActiveInMode(key, mode)) sequences << QKeySequence(key.modifiers | key.key);
  }
  for (auto it = keys.cbegin(); it != keys.cend(); ++it) it.key()->setShortcuts(it.value());
}

}  // namespace orlane
