#include "app/program_settings.h"

#include "controls/color_theme.h"
#include "platform/app_paths.h"

namespace orlane {

ProgramSettings::ProgramSettings(QObject* parent) : QObject(parent) {}

void ProgramSettings::read() {
  values_ = Settings{};
  ReadSettingsFile(UserFilePath(kSettingsFileName), values_);
  written_ = values_;
}

void ProgramSettings::write(int lastMode) {
  Settings mine = values_;
  mine.lastMode = lastMode;
  const QString path = UserFilePath(kSettingsFileName);
  Settings disk;
  const bool read = ReadSettingsFile(path, disk) == SettingsReadResult::Ok;
  const Settings merged = MergeSettings(written_, mine, disk);
  if ((read && merged == disk) || WriteSettingsFile(path, merged) == WriteResult::Written) written_ = mine;
}

void ProgramSettings::setTheme(int theme) {
  values_.theme = ClampTheme(theme);
  Q_EMIT themeChanged(values_.theme);
}

void ProgramSettings::apply(const Settings& edited) {
  const int theme = values_.theme;
  values_ = edited;
  values_.theme = theme;
  if (edited.theme != theme) setTheme(edited.theme);
  Q_EMIT changed(values_);
}

}  // namespace orlane
