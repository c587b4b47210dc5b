// The settings beyond the seventeen of "Orlane.cfg", in a file of their own
// ("OrlaneExtra.ini" in the user folder) that older versions never read, so
// the byte-exact settings file stays as it is.
//
// The file is UTF-8 text, one "name=value" line per setting. Every key the
// program knows is a row of ExtraSettingKeys() with its kind, range and
// default; a value out of range reads as the default. Lines the reader does
// not understand (unknown keys, comments, blank lines) are kept in place and
// written back as they were, so a newer version's settings survive an older
// one. Writing changes only the lines of the keys that were set.
#pragma once

#include "platform/file_io.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>
#include <span>

namespace orlane {

inline constexpr const char* kExtraSettingsFileName = "OrlaneExtra.ini";
// No settings file of ours is larger; a bigger file is not read.
inline constexpr qint64 kExtraSettingsReadLimit = 1 << 20;

enum class ExtraSettingKind { Integer, Flag, Text };

struct ExtraSettingKey {
  const char* name;
  ExtraSettingKind kind;
  int minimum;  // Integer: the range; Flag: 0 and 1; Text: unused
  int maximum;
  const char* defaultValue;  // as stored
  // False for what the program keeps for itself: "settings" neither shows nor sets it.
  bool listed = true;
};

// Every key the program knows, in the order "settings show" lists them.
std::span<const ExtraSettingKey> ExtraSettingKeys();
const ExtraSettingKey* FindExtraSettingKey(const QString& name);

// Why a value cannot be stored under a key, or nullopt when it can.
std::optional<QString> ExtraSettingValueError(const ExtraSettingKey& key, const QString& value);

class ExtraSettings final {
 public:
  static ExtraSettings Parse(const QByteArray& bytes);
  QByteArray serialize() const;

  // The stored value when it is valid for the key, else the key's default.
  QString text(const ExtraSettingKey& key) const;
  int integer(const ExtraSettingKey& key) const;
  bool flag(const ExtraSettingKey& key) const { return integer(key) != 0; }
  // By name, for keys of the table; an unknown name reads as empty / 0.
  QString text(const QString& name) const;
  int integer(const QString& name) const;
  bool flag(const QString& name) const { return integer(name) != 0; }

  // False (and nothing changed) when the value is not valid for the key.
  bool set(const ExtraSettingKey& key, const QString& value);
  bool set(const QString& name, const QString& value);
  bool setInteger(const QString& name, int value) { return set(name, QString::number(value)); }

  // Whether a line for the key exists (a default is not stored).
  bool isStored(const QString& name) const;

  bool operator==(const ExtraSettings&) const = default;

 private:
  struct Line {
    QByteArray raw;  // the line as read or written, without its end
    QByteArray key;  // empty for lines that are not "name=value"
    QByteArray value;
    bool operator==(const Line&) const = default;
  };
  const Line* find(const QString& name) const;

  QList<Line> lines_;
};

enum class ExtraSettingsReadResult { Ok, Missing, Unreadable };

// settings is left as it was unless the file was read.
ExtraSettingsReadResult ReadExtraSettingsFile(const QString& path, ExtraSettings& settings);
WriteResult WriteExtraSettingsFile(const QString& path, const ExtraSettings& settings);

// What a writer stores while another writer may have changed the file since
// base: disk, with every key mine changed since base taken from mine.
ExtraSettings MergeExtraSettings(const ExtraSettings& base, const ExtraSettings& mine, const ExtraSettings& disk);

// Stores what mine changed since base, merged over the file as it is now;
// the file is written only when that changes it. On success base becomes mine.
WriteResult SaveExtraSettingsChange(const QString& path, ExtraSettings& base, const ExtraSettings& mine);

}  // namespace orlane
