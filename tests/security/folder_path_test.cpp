#include "security/folder_path.h"
#include "security/error_log.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

using namespace orlane;

TEST(CreateFolderPath, createsEveryMissingFolder_withOrWithoutTrailingSlash) {
  test::TempUserFolder folder;
  EXPECT_EQ(CreateFolderPath(folder.root() + QStringLiteral("A/B/")), 1);
  EXPECT_TRUE(QFileInfo(folder.root() + QStringLiteral("A/B")).isDir());
  EXPECT_EQ(CreateFolderPath(folder.root() + QStringLiteral("C/D")), 1);
  EXPECT_TRUE(QFileInfo(folder.root() + QStringLiteral("C/D")).isDir());
  EXPECT_EQ(CreateFolderPath(folder.root() + QStringLiteral("C/D")), 1);
  EXPECT_FALSE(QFile::exists(ErrorLogPath()));
}

TEST(CreateFolderPath, blockedComponent_isLoggedAndStops) {
  test::TempUserFolder folder;
  folder.write(QStringLiteral("../blocker"), "a file, not a folder");
  EXPECT_EQ(CreateFolderPath(folder.root() + QStringLiteral("blocker/inner/")), 0);
  QFile log(ErrorLogPath());
  ASSERT_TRUE(log.open(QIODevice::ReadOnly));
  const QByteArray text = log.readAll();
  EXPECT_TRUE(text.contains((folder.root() + QStringLiteral("blocker/ directory create failed.\r\n")).toUtf8()));
  EXPECT_FALSE(text.contains("inner"));
}

TEST(CreateFolderPath, foldersItMakesArePrivate_existingOnesKeepTheirMode) {
  const mode_t savedMask = ::umask(022);
  test::TempUserFolder folder;
  const QString shared = folder.root() + QStringLiteral("shared/");
  ASSERT_TRUE(QDir().mkdir(shared));  // 0755 under this umask
  EXPECT_EQ(CreateFolderPath(shared + QStringLiteral("User/")), 1);
  auto mode = [](const QString& path) {
    struct stat st {};
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
  };
  EXPECT_EQ(mode(shared + QStringLiteral("User")), 0700);
  EXPECT_EQ(mode(shared), 0755);
  ::umask(savedMask);
}
