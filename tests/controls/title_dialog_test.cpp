#include "bitmap_files.h"
#include "controls/bv_title.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/theme_frame.h"
#include "controls/themed_dialog.h"
#include "widget_probe.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

using namespace orlane;
using namespace orlane::test;

namespace {
// Points the skin lookup at a temporary folder for one test.
struct SkinFolder {
  QTemporaryDir dir;
  ScopedService<QString> installed{&Services::skinFolder, dir.path()};
  SkinFolder() { QDir(dir.path()).mkpath(QStringLiteral("skin")); }
  void Write(int theme, const QByteArray& bytes) {
    ASSERT_TRUE(WriteFile(dir.path() + QStringLiteral("/skin/%1.bmp").arg(theme), bytes));
  }
};

int CountColour(const QImage& image, ColorRef c) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += Pixel(image, x, y) == c;
  return n;
}
}  // namespace

TEST(TitleColors, activeUsesColours8And7InactiveColours4And3) {
  EXPECT_EQ(TitleColors::For(3, true).text, MakeColorRef(50, 10, 0));
  EXPECT_EQ(TitleColors::For(3, true).shadow, MakeColorRef(250, 187, 93));
  EXPECT_EQ(TitleColors::For(3, false).text, ThemeColor(3, kThemeShadow));
  EXPECT_EQ(TitleColors::For(3, false).shadow, ThemeColor(3, kThemeOutline));
}

TEST(BVTitle, skin100PixelsWideIsTiledFourTimesAcross350) {
  SkinFolder skins;
  // Stripes: column 0 red, column 99 blue, the rest grey, so each copy shows.
  skins.Write(4,
              Bitmap8(100, 25, {0xFF0000, 0x0000FF, 0x808080}, [](int x) { return x == 0 ? 0 : (x == 99 ? 1 : 2); }));
  QWidget parent;
  parent.resize(350, 60);
  CBVTitle title(QString(), QRect(0, 0, 350, 25), &parent);
  title.SetSkin(4);
  ASSERT_EQ(title.Theme(), 4);
  const QImage image = Render(title);
  for (int copy = 0; copy < 4; ++copy) EXPECT_EQ(Pixel(image, copy * 100, 24), MakeColorRef(255, 0, 0)) << copy;
  for (int copy = 0; copy < 3; ++copy) EXPECT_EQ(Pixel(image, copy * 100 + 99, 24), MakeColorRef(0, 0, 255));
  EXPECT_EQ(Pixel(image, 349, 24), MakeColorRef(128, 128, 128));  // the fourth copy is clipped
  EXPECT_EQ(title.Skin().Palette().size(), 3u);
}

TEST(BVTitle, missingOrBrokenSkinLeavesTheBandUnpainted) {
  SkinFolder skins;
  skins.Write(2, QByteArray("BMtruncated"));
  QWidget parent;
  CBVTitle title(QString(), QRect(0, 0, 200, 25), &parent);
  for (int theme : {7, 2}) {
    title.SetSkin(theme);
    EXPECT_EQ(title.Theme(), -1);
    const QImage image = Render(title);
    EXPECT_EQ(CountColour(image, MakeColorRef(255, 0, 255)), 200 * 25);
  }
}

TEST(BVTitle, activeTitleTextIsColour7OverColour8Shadow) {
  SkinFolder skins;
  skins.Write(3, Bitmap8(8, 25, {0xFFFFFF}, [](int) { return 0; }));
  CThemedDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Settings MMMM"));
  dialog.SetTheme(3);
  dialog.resize(300, 200);
  dialog.show();
  QApplication::setActiveWindow(&dialog);
  QCoreApplication::processEvents();
  ASSERT_TRUE(dialog.isActiveWindow());
  QImage image = Render(*dialog.Title());
  EXPECT_GT(CountColour(image, MakeColorRef(50, 10, 0)), 20);
  EXPECT_GT(CountColour(image, MakeColorRef(250, 187, 93)), 5);

  QWidget other;
  other.show();
  QApplication::setActiveWindow(&other);
  QCoreApplication::processEvents();
  image = Render(*dialog.Title());
  EXPECT_EQ(CountColour(image, MakeColorRef(50, 10, 0)), 0);
  EXPECT_GT(CountColour(image, ThemeColor(3, kThemeShadow)), 20);
}

TEST(ThemedDialog, frameRingsCloseButtonAndBackground) {
  CThemedDialog dialog;
  dialog.SetTheme(6);
  dialog.resize(200, 120);
  dialog.EnsureInitialized();
  EXPECT_EQ(dialog.ClientSize(), QSize(194, 114));
  const QImage image = Render(dialog);
  EXPECT_EQ(Pixel(image, 0, 60), ThemeColor(6, kThemeOutline));
  EXPECT_EQ(Pixel(image, 1, 60), ThemeColor(6, kThemeAccent));
  EXPECT_EQ(Pixel(image, 2, 60), ThemeColor(6, kThemeOutline));
  EXPECT_EQ(Pixel(image, 199, 119), ThemeColor(6, kThemeOutline));
  EXPECT_EQ(Pixel(image, 100, 80), ThemeColor(6, kThemeLightFace));
  CMacButton* close = dialog.CloseButton();
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->ControlId(), 2);
  EXPECT_EQ(close->geometry(), QRect(194 - 21, 3, 18, 18));
  EXPECT_TRUE(close->Accent());
  EXPECT_TRUE(close->HasIcon());
  EXPECT_EQ(dialog.Title()->geometry(), QRect(0, 0, 194, 25));
}

TEST(ThemedDialog, closeButtonRejectsAndExecAnswersThroughTheResponder) {
  CThemedDialog dialog;
  dialog.setWindowTitle(QStringLiteral("Login"));
  ModalRequest seen;
  ScopedModalResponder answer([&](const ModalRequest& r) {
    seen = r;
    return 1;
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(seen.dialogClass, QStringLiteral("CThemedDialog"));
  EXPECT_EQ(seen.title, QStringLiteral("Login"));
  EXPECT_EQ(seen.dialog, &dialog);

  CThemedDialog second;
  ScopedModalResponder clickClose([&](const ModalRequest& r) {
    auto* d = static_cast<CThemedDialog*>(r.dialog);
    d->CloseButton()->click();
    return 0;  // no further button
  });
  EXPECT_EQ(second.exec(), QDialog::Rejected);
}

TEST(ThemedDialog, dragsOnlyFromTheTop24PixelsAndNotWhenMaximised) {
  CThemedDialog dialog;
  dialog.resize(300, 200);
  dialog.move(100, 100);
  dialog.show();
  QCoreApplication::processEvents();
  const QPoint start = dialog.pos();

  auto drag = [&](QPoint from, QPoint by) {
    SendMouse(dialog, QEvent::MouseButtonPress, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + by), QPointF(dialog.mapToGlobal(from + by)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&dialog, &move);
    const bool wasDragging = dialog.Dragging();
    SendMouse(dialog, QEvent::MouseButtonRelease, from + by);
    return wasDragging;
  };
  EXPECT_FALSE(drag(QPoint(150, 3 + 30), QPoint(5, -5)));  // below the band
  EXPECT_EQ(dialog.pos(), start);
  EXPECT_TRUE(drag(QPoint(150, 3 + 10), QPoint(7, 4)));
  EXPECT_EQ(dialog.pos(), start + QPoint(7, 4));
  EXPECT_FALSE(dialog.Dragging());  // released

  dialog.showMaximized();
  QCoreApplication::processEvents();
  const QPoint maximised = dialog.pos();
  EXPECT_FALSE(drag(QPoint(150, 3 + 10), QPoint(7, 4)));
  EXPECT_EQ(dialog.pos(), maximised);
}

TEST(ThemedDialog, screenshotsOfEveryThemeShowOneFamily) {
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
  QDir().mkpath(folder);
  for (int theme = 0; theme < kThemeCount; ++theme) {
    CThemedDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Orlane 2 - %1").arg(QString::fromLatin1(ThemeName(theme))));
    dialog.SetTheme(theme);
    dialog.resize(320, 150);
    dialog.EnsureInitialized();
    auto* ok = new CMacButton(QStringLiteral("&OK"), 1, dialog.Client());
    ok->setGeometry(60, 100, 68, 23);
    ok->SetTheme(theme);
    auto* flat = new CMacButton(QStringLiteral("Flat"), 3, dialog.Client());
    flat->setGeometry(140, 100, 68, 23);
    flat->setFlat(true);
    flat->SetTheme(theme);
    flat->SetVisualState(1, true);
    auto* latched = new CMacButton(QStringLiteral("Latched"), 4, dialog.Client());
    latched->setGeometry(220, 100, 80, 23);
    latched->SetToggleMode(CMacButton::kToggleMode);
    latched->SetVisualState(2, true);
    latched->SetTheme(theme);
    latched->SetIcon16(201);
    auto* check = new CMacCheckBox(QStringLiteral("Active"), 1034, dialog.Client());
    check->setGeometry(60, 50, 120, 20);
    check->SetTheme(theme);
    check->SetChecked(true);
    const QImage image = Render(dialog);
    EXPECT_EQ(Pixel(image, 0, 80), ThemeColor(theme, kThemeOutline));
    EXPECT_EQ(Pixel(image, 100, 140), ThemeColor(theme, kThemeLightFace));
    EXPECT_TRUE(image.save(folder + QStringLiteral("/themed_dialog_%1.png").arg(theme)));
  }
}
