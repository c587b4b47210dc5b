// The settings of "Orlane.cfg" while the program runs, with one owner: read
// at start, written at exit and after the Config dialog. Whoever shows a
// setting (the frame, the panels, the desk widget) follows the signals instead
// of being told one by one.
#pragma once

#include "days/settings_file.h"

#include <QObject>

namespace orlane {

class ProgramSettings final : public QObject {
  Q_OBJECT

 public:
  explicit ProgramSettings(QObject* parent = nullptr);
  Q_DISABLE_COPY_MOVE(ProgramSettings)

  // Reads the file of the user folder; a missing or damaged one gives the defaults.
  void read();
  // Writes the values, with the mode the window shows last; the fields another
  // writer set while the program ran stay, unless they were changed here too.
  void write(int lastMode);

  const Settings& values() const { return values_; }
  // For the values no one follows (the window size, the diary background, the calendar switch).
  Settings& values() { return values_; }
  int theme() const { return values_.theme; }

  void setTheme(int theme);
  // Takes over the values of the Config dialog; a new theme through setTheme.
  void apply(const Settings& edited);

 Q_SIGNALS:
  void themeChanged(int theme);
  // The date format, the week start or another shown value changed.
  void changed(const Settings& values);

 private:
  Settings values_;
  Settings written_;  // as read or last written: what this run changed is the rest
};

}  // namespace orlane
