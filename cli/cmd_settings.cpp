#include "cli/commands.h"
#include "days/day_files.h"
#include "days/settings_file.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace orlane::cli {

namespace {
int Show(bool json) {
  Settings settings;
  ReadSettingsFile(UserFilePath(kSettingsFileName), settings);
  if (json) {
    QJsonObject object;
    for (const SettingsField& f : SettingsFields()) object.insert(QLatin1String(f.name), settings.*f.member);
    CliContext::printRaw(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    return kExitOk;
  }
  for (const SettingsField& f : SettingsFields())
    CliContext::print(QLatin1String(f.name) + QLatin1Char(' ') + QString::number(settings.*f.member));
  return kExitOk;
}

int Set(CliContext& context, const QString& name, const QString& text) {
  const SettingsField* field = FindSettingsField(name);
  if (!field) return context.usage(QStringLiteral("unknown setting: ") + name);
  bool ok = false;
  const qlonglong value = text.startsWith(QStringLiteral("0x"), Qt::CaseInsensitive) ? text.mid(2).toLongLong(&ok, 16)
                                                                                     : text.toLongLong(&ok, 10);
  if (!ok || !IsValidSettingsValue(*field, value))
    return context.usage(QStringLiteral("not a value for ") + name + QStringLiteral(": ") + text);
  const QString path = UserFilePath(kSettingsFileName);
  Settings settings;
  ReadSettingsFile(path, settings);
  settings.*field->member = static_cast<std::int32_t>(value);
  if (!context.ensureUserFolder() || WriteSettingsFile(path, settings) != WriteResult::Written)
    return context.fail(kExitFileError, QStringLiteral("cannot write ") + path);
  return kExitOk;
}
}  // namespace

int RunSettings(CliContext& context) {
  const bool json = context.takeFlag("json");
  if (!context.rejectUnknownOptions()) return kExitUsage;
  const QString verb = context.arg(0);
  if (verb == QLatin1String("show") && context.args().size() == 1) return Show(json);
  if (verb == QLatin1String("set") && context.args().size() == 3 && !json)
    return Set(context, context.arg(1), context.arg(2));
  return context.usage(QStringLiteral("usage: orlanectl settings show [--json] | settings set NAME VALUE"));
}

}  // namespace orlane::cli
