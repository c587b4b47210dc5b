// The controls of one area of the main window, reached by their ids, and the
// helpers that create them with their caption, bitmap, tooltip and font.
#pragma once

#include "app/accessible_names.h"

#include <QHash>
#include <QList>
#include <QWidget>

class QGroupBox;
class QLabel;

namespace orlane {

class CMacButton;
class CMacCheckBox;

struct ButtonEntry {
  int id;
  const char* caption;
  int bitmap;  // 0: none
  const char* tip;
};

class ControlSet {
 public:
  template <typename T>
  T* Add(int id, T* widget) {
    widget->setProperty("controlId", id);
    if (const char* name = AccessibleNameOfControl(id)) widget->setAccessibleName(QString::fromUtf8(name));
    byId_.insert(id, widget);
    ids_ << id;
    return widget;
  }
  QWidget* widget(int id) const { return byId_.value(id); }
  CMacButton* button(int id) const;
  CMacCheckBox* check(int id) const;
  const QList<int>& ids() const { return ids_; }

  CMacButton* AddButton(QWidget* parent, const ButtonEntry& look, int theme);
  CMacCheckBox* AddCheck(QWidget* parent, int id, const char* caption, int theme);
  QLabel* AddLabel(QWidget* parent, int id, const char* text);
  QGroupBox* AddGroup(QWidget* parent, int id, const char* title);

 private:
  QHash<int, QWidget*> byId_;
  QList<int> ids_;  // in creation order
};

}  // namespace orlane
