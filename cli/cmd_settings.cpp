#include "cli/commands.h"
#include "days/day_files.h"
#include "days/extra_settings.h"
#include "days/settings_file.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace orlane::cli {

namespace {
QString ExtraPath() {
  return UserFilePath(kExtraSettingsFileName);
}

QJsonValue ExtraJson(const ExtraSettings& extra, const ExtraSettingKey& key) {
  if (key.kind == ExtraSettingKind::Text) return extra.text(key);
  return extra.integer(key);
}

int Show(bool json) {
  Settings settings;
  ReadSettingsFile(UserFilePath(kSettingsFileName), settings);
  ExtraSettings extra;
  ReadExtraSettingsFile(ExtraPath(), extra);
  if (json) {
    QJsonObject object;
    for (const SettingsField& f : SettingsFields()) object.insert(QLatin1String(f.name), settings.*f.member);
    for (const ExtraSettingKey& key : ExtraSettingKeys())
      if (key.listed) object.insert(QLatin1String(key.name), ExtraJson(extra, key));
    CliContext::printRaw(QJsonDocument(object).toJson(QJsonDocument::Compact) + '\n');
    return kExitOk;
  }
  for (const SettingsField& f : SettingsFields())
    CliContext::print(QLatin1String(f.name) + QLatin1Char(' ') + QString::number(settings.*f.member));
  for (const ExtraSettingKey& key : ExtraSettingKeys())
    if (key.listed) CliContext::print(QLatin1String(key.name) + QLatin1Char(' ') + extra.text(key));
  return kExitOk;
}

int SetExtra(CliContext& context, const ExtraSettingKey& key, const QString& text) {
  if (const std::optional<QString> error = ExtraSettingValueError(key, text)) return context.usage(*error);
  const QString path = ExtraPath();
  ExtraSettings base;
  if (ReadExtraSettingsFile(path, base) == ExtraSettingsReadResult::Unreadable)
    return context.fail(kExitFileError, QStringLiteral("cannot read ") + path);
  ExtraSettings edited = base;
  edited.set(key, text);
  if (!context.ensureUserFolder() || SaveExtraSettingsChange(path, base, edited) != WriteResult::Written)
    return context.fail(kExitFileError, QStringLiteral("cannot write ") + path);
  return kExitOk;
}

int Set(CliContext& context, const QString& name, const QString& text) {
  const ExtraSettingKey* key = FindExtraSettingKey(name);
  if (key && key->listed) return SetExtra(context, *key, text);
  const SettingsField* field = key ? nullptr : FindSettingsField(name);
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
