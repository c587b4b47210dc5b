#include "backup/backup_crypto.h"
#include "backup/backup_header.h"
#include "backup/backup_tar.h"
#include "support/random_bytes.h"

#include <gtest/gtest.h>

#include <QBuffer>

#include <archive.h>
#include <archive_entry.h>

using namespace orlane;

namespace {

BackupHeader SampleHeader() {
  BackupHeader h;
  h.cost = {3, 256u << 20};
  for (int i = 0; i < 16; ++i) h.salt[i] = static_cast<std::uint8_t>(0xa0 + i);
  h.chunkBytes = 65536;
  for (int i = 0; i < 24; ++i) h.streamHeader[i] = static_cast<std::uint8_t>(i);
  return h;
}

TEST(BackupHeader, byteLayout_isFixedAndReadsBack) {
  const QByteArray bytes = SerializeBackupHeader(SampleHeader());
  ASSERT_EQ(bytes.size(), kBackupHeaderSize);
  EXPECT_EQ(bytes.left(8), QByteArray("ORLBAK\r\n"));
  EXPECT_EQ(bytes.mid(8, 8).toHex(), "01004c0002000000");  // version 1, 76 bytes, Argon2id
  EXPECT_EQ(bytes.mid(16, 16).toHex(), "03000000000000000000001000000000");
  EXPECT_EQ(static_cast<std::uint8_t>(bytes[32]), 0xa0);
  EXPECT_EQ(bytes.mid(48, 4).toHex(), "00000100");
  EXPECT_EQ(bytes.mid(52, 2).toHex(), "0001");
  BackupHeaderError error = BackupHeaderError::NoMagic;
  const auto back = ParseBackupHeader(bytes, error);
  ASSERT_TRUE(back);
  EXPECT_EQ(error, BackupHeaderError::None);
  EXPECT_EQ(SerializeBackupHeader(*back), bytes);
}

TEST(BackupHeader, hostileOrForeignHeaders_areRefused) {
  BackupHeaderError error = BackupHeaderError::None;
  const QByteArray good = SerializeBackupHeader(SampleHeader());
  EXPECT_FALSE(ParseBackupHeader(QByteArray("PK\3\4"), error));
  EXPECT_EQ(error, BackupHeaderError::NoMagic);
  QByteArray newer = good;
  newer[8] = 3;
  EXPECT_FALSE(ParseBackupHeader(newer, error));
  EXPECT_EQ(error, BackupHeaderError::UnsupportedVersion);
  EXPECT_FALSE(ParseBackupHeader(good.left(40), error));
  EXPECT_EQ(error, BackupHeaderError::BadParameters);
  BackupHeader greedy = SampleHeader();
  greedy.cost.memoryBytes = std::uint64_t(64) << 30;  // 64 GiB would be allocated
  EXPECT_FALSE(ParseBackupHeader(SerializeBackupHeader(greedy), error));
  BackupHeader slow = SampleHeader();
  slow.cost.operations = 1000000;
  EXPECT_FALSE(ParseBackupHeader(SerializeBackupHeader(slow), error));
  BackupHeader tiny = SampleHeader();
  tiny.chunkBytes = 1;
  EXPECT_FALSE(ParseBackupHeader(SerializeBackupHeader(tiny), error));
  BackupHeader otherKdf = SampleHeader();
  otherKdf.kdf = 1;
  EXPECT_FALSE(ParseBackupHeader(SerializeBackupHeader(otherKdf), error));
}

// Collects what the reader hands over.
class Collect final : public TarEntrySink {
 public:
  BackupResult begin(const TarEntry& entry) override {
    names.append(entry.name);
    return BackupResult::Done;
  }
  BackupResult data(QByteArrayView bytes) override {
    content.append(bytes);
    return BackupResult::Done;
  }
  BackupResult end() override { return BackupResult::Done; }
  QStringList names;
  QByteArray content;
};

BackupReport ReadPlain(const QByteArray& tar, TarEntrySink& sink) {
  qsizetype at = 0;
  return ReadTarEntries(
      [&](QByteArrayView& plain) {
        plain = QByteArrayView(tar).sliced(at, std::min<qsizetype>(1000, tar.size() - at));
        at += plain.size();
        return BackupResult::Done;
      },
      sink);
}

QByteArray TarOf(const QList<TarEntry>& entries) {
  QByteArray out;
  TarWriter tar([&](QByteArrayView bytes) {
    out.append(bytes);
    return true;
  });
  for (const TarEntry& e : entries) {
    tar.begin(e);
    if (!e.folder) tar.write(QByteArray(e.size, 'x'));
  }
  tar.close();
  return out;
}

TEST(BackupTar, hostileNames_areDamagedNotWritten) {
  for (const char* name : {"../escape", "/etc/passwd", "a/../../b", "./a", "a//b", ""}) {
    Collect sink;
    const QByteArray tar = TarOf({{QStringLiteral("fine.alm"), false, 3, 0}, {QString::fromUtf8(name), false, 3, 0}});
    EXPECT_EQ(ReadPlain(tar, sink).result, BackupResult::Damaged) << name;
    EXPECT_EQ(sink.names, QStringList({QStringLiteral("fine.alm")})) << name;
  }
  Collect twice;
  EXPECT_EQ(ReadPlain(TarOf({{QStringLiteral("a"), false, 1, 0}, {QStringLiteral("a"), false, 1, 0}}), twice).result,
            BackupResult::Damaged);

  // A link would let a later entry write outside the folder.
  archive* w = archive_write_new();
  archive_write_set_format_pax_restricted(w);
  std::size_t used = 0;
  QByteArray memory(1 << 16, '\0');
  archive_write_open_memory(w, memory.data(), static_cast<size_t>(memory.size()), &used);
  archive_entry* link = archive_entry_new();
  archive_entry_set_pathname(link, "link");
  archive_entry_set_filetype(link, AE_IFLNK);
  archive_entry_set_symlink(link, "/etc");
  archive_write_header(w, link);
  archive_entry_free(link);
  archive_write_close(w);
  archive_write_free(w);
  Collect sink;
  EXPECT_EQ(ReadPlain(memory.left(static_cast<qsizetype>(used)), sink).result, BackupResult::Damaged);
  EXPECT_TRUE(sink.names.isEmpty());
}

TEST(BackupTar, truncatedAndRandomInput_endInAResultNeverACrash) {
  const QByteArray tar = TarOf({{QStringLiteral("d"), true, 0, 0}, {QStringLiteral("d/a.dia"), false, 3000, 0}});
  Collect whole;
  EXPECT_TRUE(ReadPlain(tar, whole).ok());
  EXPECT_EQ(whole.names, QStringList({QStringLiteral("d"), QStringLiteral("d/a.dia")}));
  EXPECT_EQ(whole.content, QByteArray(3000, 'x'));
  for (const qsizetype cut : {qsizetype(100), qsizetype(700), qsizetype(1500), qsizetype(2048)}) {
    Collect sink;
    EXPECT_EQ(ReadPlain(tar.left(cut), sink).result, BackupResult::Damaged) << cut;
  }
  test::RandomBytes random(7);
  for (int i = 0; i < 200; ++i) {
    Collect sink;
    (void)ReadPlain(random.bytes(4000), sink);
  }
}

TEST(BackupCrypto, finalTagFallsOnAFullChunk_andStillReadsBack) {
  QByteArray sealed;
  BackupSealer sealer;
  ASSERT_TRUE(sealer.start(
      "pw", LightBackupKdfCost(),
      [&](QByteArrayView b) {
        sealed.append(b);
        return true;
      },
      4096));
  ASSERT_TRUE(sealer.append(QByteArray(8192, 'z')));
  ASSERT_TRUE(sealer.finish());
  EXPECT_EQ(sealed.size(), kBackupHeaderSize + 33 + 2 * (4096 + 17));
  QBuffer device(&sealed);
  device.open(QIODevice::ReadOnly);
  BackupOpener opener;
  ASSERT_EQ(opener.open(device, "pw"), BackupResult::Done);
  QByteArray plain;
  while (!opener.atEnd()) {
    QByteArrayView piece;
    ASSERT_EQ(opener.next(piece), BackupResult::Done);
    plain.append(piece);
  }
  EXPECT_EQ(plain, QByteArray(8192, 'z'));
}

}  // namespace
