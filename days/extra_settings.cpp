#include "days/extra_settings.h"

#include <array>

namespace orlane {

namespace {

using Kind = ExtraSettingKind;

// One row per setting; a new setting is a new row.
constexpr std::array kKeys{
    ExtraSettingKey{"snooze_minutes", Kind::Integer, 1, 1440, "5"},
    ExtraSettingKey{"notifications", Kind::Flag, 0, 1, "1"},
    ExtraSettingKey{"late_cancel_hours", Kind::Integer, 0, 8760, "0"},
    // Minutes between two syncs with the CalDAV server; 0 syncs only at start, after a save and on "Sync now".
    ExtraSettingKey{"sync_minutes", Kind::Integer, 0, 1440, "15"},
    // The diary's dictionary: empty follows the locale, "off", or a language such as "de_DE".
    ExtraSettingKey{"spell_language", Kind::Text, 0, 0, ""},
    // Days without a backup before the title line says so; 0 never says it.
    ExtraSettingKey{"backup_reminder_days", Kind::Integer, 0, 3650, "7"},
    // When the last backup was made, in seconds since the epoch (beyond what an int holds after 2038).
    ExtraSettingKey{"last_backup", Kind::Text, 0, 0, "", false},
    // The folder the last backup went into, offered for the next one.
    ExtraSettingKey{"backup_folder", Kind::Text, 0, 0, "", false},
    // The backup at each exit: into this folder, keeping the newest of them
    // (0: none is made), sealed to this public key of the passphrase.
    ExtraSettingKey{"auto_backup_folder", Kind::Text, 0, 0, "", false},
    ExtraSettingKey{"auto_backup_keep", Kind::Integer, 0, 1000, "0", false},
    ExtraSettingKey{"auto_backup_key", Kind::Text, 0, 0, "", false},
    // Where the main window was left (its top left corner on the desktop); stored at exit.
    ExtraSettingKey{"window_left", Kind::Integer, -100000, 100000, "0", false},
    ExtraSettingKey{"window_top", Kind::Integer, -100000, 100000, "0", false},
};

QByteArray Trimmed(const QByteArray& bytes) {
  return bytes.trimmed();
}

}  // namespace

std::span<const ExtraSettingKey> ExtraSettingKeys() {
  return kKeys;
}

const ExtraSettingKey* FindExtraSettingKey(const QString& name) {
  for (const ExtraSettingKey& key : kKeys) {
    if (name == QLatin1String(key.name)) return &key;
  }
  return nullptr;
}

std::optional<QString> ExtraSettingValueError(const ExtraSettingKey& key, const QString& value) {
  if (key.kind == Kind::Text) {
    if (value.contains(QLatin1Char('\n')) || value.contains(QLatin1Char('\r'))) {
      return QStringLiteral("a value of %1 is one line").arg(QLatin1String(key.name));
    }
    return std::nullopt;
  }
  bool ok = false;
  const qlonglong number = value.trimmed().toLongLong(&ok);
  if (!ok || number < key.minimum || number > key.maximum) {
    return QStringLiteral("%1 takes a whole number from %2 to %3")
        .arg(QLatin1String(key.name))
        .arg(key.minimum)
        .arg(key.maximum);
  }
  return std::nullopt;
}

ExtraSettings ExtraSettings::Parse(const QByteArray& bytes) {
  ExtraSettings settings;
  QList<QByteArray> raws = bytes.split('\n');
  if (!raws.isEmpty() && raws.last().isEmpty()) raws.removeLast();
  for (QByteArray& raw : raws) {
    if (raw.endsWith('\r')) raw.chop(1);
    Line line{raw, {}, {}};
    const qsizetype equals = raw.indexOf('=');
    if (equals > 0 && !raw.startsWith('#') && !raw.startsWith(';')) {
      line.key = Trimmed(raw.left(equals));
      line.value = Trimmed(raw.mid(equals + 1));
    }
    settings.lines_.append(std::move(line));
  }
  return settings;
}

QByteArray ExtraSettings::serialize() const {
  QByteArray out;
  for (const Line& line : lines_) out += line.raw + '\n';
  return out;
}

const ExtraSettings::Line* ExtraSettings::find(const QString& name) const {
  const QByteArray key = name.toUtf8();
  // The last line of a key counts, as a person editing the file expects.
  for (qsizetype i = lines_.size() - 1; i >= 0; --i) {
    if (lines_[i].key == key) return &lines_[i];
  }
  return nullptr;
}

QString ExtraSettings::text(const ExtraSettingKey& key) const {
  if (const Line* line = find(QString::fromLatin1(key.name))) {
    const QString value = QString::fromUtf8(line->value);
    if (!ExtraSettingValueError(key, value)) return key.kind == Kind::Text ? value : value.trimmed();
  }
  return QString::fromLatin1(key.defaultValue);
}

int ExtraSettings::integer(const ExtraSettingKey& key) const {
  return text(key).toInt();
}

QString ExtraSettings::text(const QString& name) const {
  const ExtraSettingKey* key = FindExtraSettingKey(name);
  return key ? text(*key) : QString();
}

int ExtraSettings::integer(const QString& name) const {
  const ExtraSettingKey* key = FindExtraSettingKey(name);
  return key ? integer(*key) : 0;
}

bool ExtraSettings::set(const ExtraSettingKey& key, const QString& value) {
  if (ExtraSettingValueError(key, value)) return false;
  const QByteArray name(key.name);
  const QByteArray stored = key.kind == Kind::Text ? value.toUtf8() : value.trimmed().toUtf8();
  for (qsizetype i = lines_.size() - 1; i >= 0; --i) {
    if (lines_[i].key != name) continue;
    if (lines_[i].value != stored) lines_[i] = Line{name + '=' + stored, name, stored};
    return true;
  }
  lines_.append(Line{name + '=' + stored, name, stored});
  return true;
}

bool ExtraSettings::set(const QString& name, const QString& value) {
  const ExtraSettingKey* key = FindExtraSettingKey(name);
  return key && set(*key, value);
}

bool ExtraSettings::isStored(const QString& name) const {
  return find(name) != nullptr;
}

ExtraSettingsReadResult ReadExtraSettingsFile(const QString& path, ExtraSettings& settings) {
  QByteArray bytes;
  switch (ReadFileBytes(path, bytes, kExtraSettingsReadLimit)) {
    case FileReadResult::Ok: settings = ExtraSettings::Parse(bytes); return ExtraSettingsReadResult::Ok;
    case FileReadResult::Missing: return ExtraSettingsReadResult::Missing;
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: break;
  }
  return ExtraSettingsReadResult::Unreadable;
}

WriteResult WriteExtraSettingsFile(const QString& path, const ExtraSettings& settings) {
  return AtomicWriteFile(path, settings.serialize());
}

ExtraSettings MergeExtraSettings(const ExtraSettings& base, const ExtraSettings& mine, const ExtraSettings& disk) {
  ExtraSettings merged = disk;
  for (const ExtraSettingKey& key : ExtraSettingKeys()) {
    const QString name = QString::fromLatin1(key.name);
    if (mine.isStored(name) && (!base.isStored(name) || mine.text(key) != base.text(key))) {
      merged.set(key, mine.text(key));
    }
  }
  return merged;
}

WriteResult SaveExtraSettingsChange(const QString& path, ExtraSettings& base, const ExtraSettings& mine) {
  ExtraSettings disk;
  const ExtraSettingsReadResult read = ReadExtraSettingsFile(path, disk);
  // A file that cannot be read is not replaced: what it holds would be lost.
  if (read == ExtraSettingsReadResult::Unreadable) return WriteResult::Failed;
  const ExtraSettings merged = MergeExtraSettings(base, mine, disk);
  if (read == ExtraSettingsReadResult::Ok ? merged != disk : merged != ExtraSettings{}) {
    if (WriteExtraSettingsFile(path, merged) != WriteResult::Written) return WriteResult::Failed;
  }
  base = mine;
  return WriteResult::Written;
}

}  // namespace orlane
