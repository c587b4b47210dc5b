// One action per command of the main window. The command's button, its menu
// item, its tray item and its key all trigger the one action, and the action
// reports the command id, so every command reaches the window's OnCommand.
#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <functional>

class QAction;
class QWidget;

namespace orlane {

class CMacButton;
class CMacCheckBox;
class NMacMenu;

class CommandActions final : public QObject {
  Q_OBJECT

 public:
  // Keys become shortcuts of window (active while it is the active window).
  explicit CommandActions(QWidget* window);

  // The command's action, created on first use.
  QAction* Action(int id);
  QAction* Find(int id) const { return actions_.value(id); }
  QList<QAction*> All() const { return actions_.values(); }

  // A click triggers the action; the button is enabled with it. A checkable
  // action and its toggle button show the same state.
  void BindButton(CMacButton* button);
  void BindCheck(CMacCheckBox* box);
  // Appends the command's action to menu with text and a 16 x 16 icon.
  void AddToMenu(NMacMenu* menu, int id, const QString& text, int bitmap);
  // Makes the command's keys its action's shortcuts, and clears the shortcuts
  // of keys that are not active in mode. A key of one control works while
  // that control (found by controlById) has the focus.
  void ApplyKeys(int mode, const std::function<QWidget*(int id)>& controlById);

 Q_SIGNALS:
  void command(int id);

 private:
  QWidget* window_;
  QHash<int, QAction*> actions_;
};

}  // namespace orlane
