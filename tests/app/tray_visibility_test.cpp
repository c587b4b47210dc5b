#include "app/tray_visibility.h"

#include <gtest/gtest.h>

#include <QStringList>

using namespace orlane;

namespace {
// Records what the window would do; the login answers from a queue.
class FakeWindow final : public TrayVisibility::Host {
 public:
  void addTrayIcon(TrayIcon i) override { log << (i == TrayIcon::Shown ? "add shown" : "add hidden"); }
  void setTrayIcon(TrayIcon i) override { icon = i; }
  void removeTrayIcon() override { log << "remove"; }
  void showWindow() override { visible = true; }
  void hideWindow() override { visible = false; }
  void placeWindow() override { log << "centre"; }
  void bringToFront() override {}
  void setTaskbarEntry(bool present) override { taskbar = present; }
  void relayout() override { log << "layout"; }
  bool askPassword() override {
    ++asked;
    if (answers.isEmpty()) return false;
    return answers.takeFirst() == QStringLiteral("ok");
  }

  QStringList log;
  QStringList answers;
  TrayIcon icon = TrayIcon::Shown;
  bool visible = false;
  bool taskbar = true;
  int asked = 0;
};
}  // namespace

TEST(TrayVisibility, normalStartShowsCentredAndTogglesWithoutAsking) {
  FakeWindow w;
  TrayVisibility tray(w);
  bool pending = false;
  tray.start(pending);
  EXPECT_EQ(tray.state(), TrayState::Shown);
  EXPECT_TRUE(w.visible);
  EXPECT_EQ(tray.toggle(pending, false), 1);
  EXPECT_EQ(tray.state(), TrayState::Hidden);
  EXPECT_FALSE(w.visible);
  EXPECT_EQ(w.icon, TrayIcon::Hidden);
  EXPECT_EQ(tray.toggle(pending, false), 1);
  EXPECT_TRUE(w.visible);
  EXPECT_EQ(w.asked, 0);
}

TEST(TrayVisibility, hiddenStartAsksOnceThenToggles) {
  FakeWindow w;
  TrayVisibility tray(w);
  bool pending = true;
  tray.start(pending);
  EXPECT_EQ(tray.state(), TrayState::Hidden);
  EXPECT_FALSE(w.visible);
  EXPECT_FALSE(w.taskbar);

  // A cancelled first login keeps it in the tray, locked.
  EXPECT_EQ(tray.toggle(pending, false), 0);
  EXPECT_TRUE(pending);
  EXPECT_EQ(tray.state(), TrayState::Hidden);
  EXPECT_FALSE(w.visible);

  w.answers << QStringLiteral("ok");
  EXPECT_EQ(tray.toggle(pending, false), 1);
  EXPECT_FALSE(pending);
  EXPECT_TRUE(w.visible);
  EXPECT_TRUE(w.taskbar);
  EXPECT_EQ(w.asked, 2);

  tray.toggle(pending, false);
  tray.toggle(pending, false);
  EXPECT_EQ(w.asked, 2);
  EXPECT_TRUE(w.visible);
}

TEST(TrayVisibility, loginOnShowAsksEveryShowing) {
  FakeWindow w;
  TrayVisibility tray(w);
  bool pending = false;
  tray.start(pending);
  tray.toggle(pending, true);  // hide: no question
  EXPECT_EQ(w.asked, 0);
  EXPECT_EQ(tray.toggle(pending, true), 0);  // wrong: stays hidden
  EXPECT_FALSE(w.visible);
  w.answers << QStringLiteral("ok");
  EXPECT_EQ(tray.toggle(pending, true), 1);
  EXPECT_TRUE(w.visible);
  EXPECT_EQ(w.asked, 2);
}

TEST(TrayVisibility, stopRemovesTheIconOnce) {
  FakeWindow w;
  TrayVisibility tray(w);
  bool pending = false;
  tray.start(pending);
  tray.stop();
  tray.stop();
  EXPECT_EQ(w.log.count(QStringLiteral("remove")), 1);
  EXPECT_EQ(tray.state(), TrayState::NoIcon);
}
