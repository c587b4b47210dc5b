#include "security/registry_key.h"

#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "platform/program_info.h"
#include "security/error_log.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include <cerrno>
#include <optional>

namespace orlane {

namespace {
constexpr char kTypeString[] = "REG_SZ";
constexpr char kTypeBinary[] = "REG_BINARY";
constexpr int kErrorFileNotFound = 2;  // the system's code for a missing value

QString RootName(RegistryRoot root) {
  return root == RegistryRoot::LocalMachine ? QStringLiteral("HKEY_LOCAL_MACHINE")
                                            : QStringLiteral("HKEY_CURRENT_USER");
}

// The store as one JSON object: key path -> { value name -> {type, data} }.
// nullopt when the file exists but cannot be read or parsed: such a store is
// never overwritten.
std::optional<QJsonObject> LoadStore() {
  QByteArray bytes;
  const FileReadResult r = ReadFileBytes(RegistryStorePath(), bytes, 16 << 20);
  if (r == FileReadResult::Missing) return QJsonObject{};
  if (r != FileReadResult::Ok) return std::nullopt;
  QJsonParseError error{};
  const QJsonDocument doc = QJsonDocument::fromJson(bytes, &error);
  if (error.error != QJsonParseError::NoError || !doc.isObject()) return std::nullopt;
  return doc.object();
}

bool SaveStore(const QJsonObject& store) {
  const QString path = RegistryStorePath();
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  return AtomicWriteFile(path, QJsonDocument(store).toJson(QJsonDocument::Indented)) == WriteResult::Written;
}

bool IsRunKey(const QString& keyPath) {
  return keyPath.endsWith(QLatin1Char('\\') + QLatin1String(kRunKeyPath), Qt::CaseInsensitive);
}

// A string value of a desktop entry: backslash, and the line breaks and tabs
// a caller could slip in, escaped as the key-file format says.
QByteArray DesktopStringValue(const QByteArray& text) {
  QByteArray out;
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

// The Exec value running one program path with no arguments, or nullopt when
// the path cannot be written as one (a control character such as a line
// break). The path is one quoted argument: inside the quotes '"', '`', '$'
// and '\\' take a backslash, '%' is doubled so it is no field code, and the
// string escaping of the format comes on top.
std::optional<QByteArray> DesktopExecValue(const QByteArray& path) {
  QByteArray quoted = "\"";
  for (const char c : path) {
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) return std::nullopt;
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  quoted += '"';
  return DesktopStringValue(quoted);
}

bool WriteAutostartEntry(const QString& valueName, const QByteArray& command) {
  const std::optional<QByteArray> exec = DesktopExecValue(command);
  if (!exec) return false;
  const QString path = AutostartEntryPath(valueName);
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) return false;
  const QByteArray entry =
      "[Desktop Entry]\n"
      "Type=Application\n"
      "Name=" +
      DesktopStringValue(valueName.toUtf8()) +
      "\n"
      "Comment=Calendar, reminders and diary\n"
      "Exec=" +
      *exec +
      "\n"
      "Icon=orlane\n"
      "Terminal=false\n"
      "X-GNOME-Autostart-enabled=true\n";
  return AtomicWriteFile(path, entry) == WriteResult::Written;
}

QJsonObject ValueObject(const char* type, const QString& data) {
  return QJsonObject{{QStringLiteral("type"), QLatin1String(type)}, {QStringLiteral("data"), data}};
}

QByteArray ValueBytes(const QJsonObject& value) {
  const QString data = value.value(QStringLiteral("data")).toString();
  if (value.value(QStringLiteral("type")).toString() == QLatin1String(kTypeBinary))
    return QByteArray::fromHex(data.toLatin1());
  return data.toUtf8();
}
}  // namespace

QString RegistryStorePath() {
  return ConfigFolder() + QStringLiteral("orlane/registry.json");
}

QString AutostartEntryPath(const QString& valueName) {
  QString file = valueName.toLower();
  file.replace(QLatin1Char(' '), QLatin1Char('-'));
  file.remove(QLatin1Char('/'));
  if (file.isEmpty()) file = QStringLiteral("orlane");
  return ConfigFolder() + QStringLiteral("autostart/") + file + QStringLiteral(".desktop");
}

int CRegistryKey::Open(RegistryRoot root, const QString& subkey) {
  Close();
  const QString path = RootName(root) + QLatin1Char('\\') + subkey;
  std::optional<QJsonObject> store = LoadStore();
  bool ok = store.has_value();
  if (ok && !store->contains(path)) {
    store->insert(path, QJsonObject{});
    ok = SaveStore(*store);
  }
  if (!ok) {
    LogError("Can not open registry%s.", subkey.toLocal8Bit().constData());
    return 0;
  }
  keyPath_ = path;
  return 1;
}

int CRegistryKey::SetString(const QString& name, const QByteArray& text, int length) {
  if (!isOpen() || length < 0) return 0;
  std::optional<QJsonObject> store = LoadStore();
  if (!store) return 0;
  const QByteArray bytes = text.left(length);
  // A Run value the autostart entry cannot carry is refused before anything is stored.
  if (IsRunKey(keyPath_) && !DesktopExecValue(bytes)) {
    LogError("Can not start with the desktop: the program path holds a line break.");
    return 0;
  }
  QJsonObject key = store->value(keyPath_).toObject();
  key.insert(name, ValueObject(kTypeString, QString::fromUtf8(bytes)));
  store->insert(keyPath_, key);
  if (!SaveStore(*store)) return 0;
  if (IsRunKey(keyPath_) && !WriteAutostartEntry(name, bytes)) return 0;
  return 1;
}

int CRegistryKey::SetBinary(const QString& name, const QByteArray& bytes, int length) {
  const QByteArray data = bytes.left(std::max(length, 0));
  std::optional<QJsonObject> store = isOpen() ? LoadStore() : std::nullopt;
  bool ok = store.has_value();
  if (ok) {
    QJsonObject key = store->value(keyPath_).toObject();
    key.insert(name, ValueObject(kTypeBinary, QString::fromLatin1(data.toHex())));
    store->insert(keyPath_, key);
    ok = SaveStore(*store);
  }
  if (!ok) {
    LogError("SetValueEx Failed. Name:%s,Value:%s,Err:%d", name.toLocal8Bit().constData(), data.constData(),
             errno ? errno : 5);
    return 0;
  }
  return 1;
}

int CRegistryKey::GetValue(const QString& name, QByteArray& out) {
  out.clear();
  std::optional<QJsonObject> store = isOpen() ? LoadStore() : std::nullopt;
  const QJsonObject key = store ? store->value(keyPath_).toObject() : QJsonObject{};
  if (!store || !key.contains(name)) {
    LogError("GetValueEx Failed. Name:%s,Value:%s,Err:%d", name.toLocal8Bit().constData(), "", kErrorFileNotFound);
    return 0;
  }
  out = ValueBytes(key.value(name).toObject());
  return 1;
}

int CRegistryKey::DeleteValue(const QString& name) {
  if (!isOpen()) return 0;
  std::optional<QJsonObject> store = LoadStore();
  if (!store) return 0;
  QJsonObject key = store->value(keyPath_).toObject();
  const bool had = key.contains(name);
  if (IsRunKey(keyPath_)) QFile::remove(AutostartEntryPath(name));
  if (!had) return 0;
  key.remove(name);
  store->insert(keyPath_, key);
  return SaveStore(*store) ? 1 : 0;
}

void CRegistryKey::Close() {
  keyPath_.clear();
}

QString ReadProgramValue(const QString& name) {
  const std::optional<QJsonObject> store = LoadStore();
  if (!store) return {};
  const QString path = RootName(RegistryRoot::LocalMachine) + QLatin1Char('\\') + QLatin1String(kVendorKeyPrefix) +
                       QLatin1String(kProgramTitle);
  const QJsonObject key = store->value(path).toObject();
  if (!key.contains(name)) return {};
  return QString::fromUtf8(ValueBytes(key.value(name).toObject()));
}

QString ReadInstallPath() {
  return ReadProgramValue(QStringLiteral("InstallPath"));
}

}  // namespace orlane
