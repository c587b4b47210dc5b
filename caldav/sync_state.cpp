#include "caldav/sync_state.h"

#include "platform/app_paths.h"
#include "security/scramble.h"

#include <QCryptographicHash>
#include <QDir>

namespace orlane {

namespace {
constexpr char kMagic[] = "orlane-sync 1";

QByteArray Escaped(const QByteArray& text) {
  QByteArray out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (c) {
      case '%': out += "%25"; break;
      case '\t': out += "%09"; break;
      case '\n': out += "%0A"; break;
      case '\r': out += "%0D"; break;
      default: out += c; break;
    }
  }
  return out;
}

QByteArray Unescaped(const QByteArray& text) {
  return QByteArray::fromPercentEncoding(text);
}

QString Str(const QByteArray& field) {
  return QString::fromUtf8(Unescaped(field));
}

QByteArray Line(std::initializer_list<QByteArray> fields) {
  QByteArrayList escaped;
  for (const QByteArray& f : fields) escaped << Escaped(f);
  return escaped.join('\t');
}
}  // namespace

QString SyncState::keyOfHref(const QString& href) const {
  for (const auto& [key, item] : items)
    if (item.href == href) return key;
  return {};
}

QString SyncStateFilePath() {
  return QDir(UserFolder()).filePath(QStringLiteral("caldav.dat"));
}

QByteArray SyncContentHash(const QByteArray& content) {
  return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex().left(32);
}

SyncStateLoad ParseSyncState(const QByteArray& plain, SyncState& state) {
  state = SyncState{};
  const QByteArrayList lines = plain.split('\n');
  if (lines.isEmpty() || lines.front().trimmed() != kMagic) return SyncStateLoad::Damaged;
  for (qsizetype i = 1; i < lines.size(); ++i) {
    const QByteArray& line = lines[i];
    if (line.isEmpty()) continue;
    const QByteArrayList f = line.split('\t');
    const QByteArray& kind = f.front();
    if (f.size() == 2 && kind == "server") {
      state.server = Str(f[1]);
    } else if (f.size() == 2 && kind == "user") {
      state.user = Str(f[1]);
    } else if (f.size() == 2 && kind == "calendar") {
      state.calendarName = Str(f[1]);
    } else if (f.size() == 3 && kind == "collection") {
      state.collection = Str(f[1]);
      state.syncCollection = f[2] == "1";
    } else if (f.size() == 2 && kind == "token") {
      state.token = Unescaped(f[1]);
    } else if (f.size() == 6 && kind == "item" && !f[1].isEmpty()) {
      state.items[Str(f[1])] = SyncItem{Str(f[2]), Unescaped(f[3]), Unescaped(f[4]), Unescaped(f[5])};
    } else {
      state.otherLines.push_back(line);
    }
  }
  return SyncStateLoad::Ok;
}

QByteArray SerializeSyncState(const SyncState& s) {
  QByteArrayList lines{kMagic};
  lines << Line({"server", s.server.toUtf8()}) << Line({"user", s.user.toUtf8()})
        << Line({"calendar", s.calendarName.toUtf8()});
  if (!s.collection.isEmpty()) lines << Line({"collection", s.collection.toUtf8(), s.syncCollection ? "1" : "0"});
  if (!s.token.isEmpty()) lines << Line({"token", s.token});
  for (const auto& [key, item] : s.items)
    lines << Line({"item", key.toUtf8(), item.href.toUtf8(), item.uid, item.etag, item.hash});
  for (const QByteArray& other : s.otherLines) lines << other;
  return lines.join('\n') + '\n';
}

SyncStateLoad LoadSyncState(const QString& path, SyncState& state) {
  state = SyncState{};
  QByteArray bytes;
  switch (ReadFileBytes(path, bytes, kSyncStateReadLimit)) {
    case FileReadResult::Missing: return SyncStateLoad::Missing;
    case FileReadResult::Unreadable:
    case FileReadResult::TooLarge: return SyncStateLoad::Unreadable;
    case FileReadResult::Ok: break;
  }
  UnscrambleBytes(bytes.data(), bytes.size());
  return ParseSyncState(bytes, state);
}

WriteResult SaveSyncState(const QString& path, const SyncState& state) {
  return AtomicWriteFile(path, Scrambled(SerializeSyncState(state)));
}

}  // namespace orlane
