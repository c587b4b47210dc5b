#include "platform/app_paths.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>

using namespace orlane;

TEST(AppPaths, userFolder_comesFromEnvironmentFirst) {
  QTemporaryDir dir;
  qputenv("ORLANE_USER_DIR", dir.path().toUtf8());
  EXPECT_EQ(ResolveUserFolder(), dir.path() + QLatin1Char('/'));
  qunsetenv("ORLANE_USER_DIR");
}

TEST(AppPaths, userFolder_fallsBackToXdgDataFolder) {
  QTemporaryDir dir;
  qunsetenv("ORLANE_USER_DIR");
  qputenv("XDG_DATA_HOME", dir.path().toUtf8());
  // The test program's folder has no "User/" beside it.
  EXPECT_EQ(ResolveUserFolder(), dir.path() + QStringLiteral("/orlane/User/"));
}

TEST(AppPaths, portableUserFolder_besideTheProgramWins) {
  const QString portable = ProgramFolder() + QStringLiteral("User");
  ASSERT_TRUE(QDir().mkpath(portable));
  qunsetenv("ORLANE_USER_DIR");
  EXPECT_EQ(ResolveUserFolder(), portable + QLatin1Char('/'));
  QDir(portable).removeRecursively();
}

TEST(AppPaths, trailingSlash_isExactlyOne) {
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/a/b")), QStringLiteral("/a/b/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/a/b//")), QStringLiteral("/a/b/"));
  EXPECT_EQ(WithTrailingSlash(QStringLiteral("/")), QStringLiteral("/"));
  SetUserFolder(QStringLiteral("/x/User"));
  EXPECT_EQ(UserFolder(), QStringLiteral("/x/User/"));
}
