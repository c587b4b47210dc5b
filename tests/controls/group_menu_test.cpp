#include "controls/gdi_painter.h"
#include "controls/mac_btn_group.h"
#include "controls/mac_menu.h"
#include "widget_probe.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QSignalSpy>

using namespace orlane;
using namespace orlane::test;

namespace {
const QStringList kModes{QStringLiteral("Reminder"), QStringLiteral("Diary"), QStringLiteral("Recorder")};
const QList<int> kModeIds{179, 180, 181};

struct ModeSwitch {
  QWidget parent;
  NMacBtnGroup* group;
  ModeSwitch() : group(new NMacBtnGroup(QRect(12, 33, 248, 22), &parent, Qt::white)) { parent.resize(400, 100); }
};
}  // namespace

TEST(MacBtnGroup, oneRowOfThreeIn248x22SharesBorderPixels) {
  ModeSwitch s;
  ASSERT_EQ(s.group->CreateButtons(kModes, kModeIds, 1, 3, QFont(), true), 1);
  ASSERT_EQ(s.group->Buttons().size(), 3);
  for (int j = 0; j < 3; ++j) {
    const CMacButton* b = s.group->Buttons()[j];
    EXPECT_EQ(b->geometry(), QRect(82 * j, 0, 83, 22)) << j;
    EXPECT_EQ(b->ControlId(), kModeIds[j]);
    EXPECT_EQ(b->ToggleModeValue(), CMacButton::kLatchMode);
    EXPECT_EQ(b->CornerEllipse(), QSize(6, 6));
    EXPECT_TRUE(b->TabStyle());
    EXPECT_TRUE(b->isFlat());
    EXPECT_EQ(b->toolTip(), kModes[j]);
  }
  EXPECT_EQ(s.group->property("controlId").toInt(), 0xFFFF);
}

TEST(MacBtnGroup, badArgumentsAreRefusedAndMakeNothing) {
  ModeSwitch s;
  EXPECT_EQ(s.group->CreateButtons(kModes + QStringList{QStringLiteral("More")}, kModeIds + QList<int>{182}, 1, 3,
                                   QFont(), false),
            0);
  EXPECT_EQ(s.group->CreateButtons(kModes, {179, 180}, 1, 3, QFont(), false), 0);
  EXPECT_EQ(s.group->CreateButtons(kModes, kModeIds, 0, 3, QFont(), false), 0);
  EXPECT_EQ(s.group->CreateButtons(kModes, kModeIds, 1, -1, QFont(), false), 0);
  EXPECT_TRUE(s.group->Buttons().isEmpty());
}

TEST(MacBtnGroup, tallGridHasSquareButtons) {
  ModeSwitch s;
  s.group->resize(60, 91);
  ASSERT_EQ(s.group->CreateButtons(kModes, kModeIds, 3, 1, QFont(), false), 1);
  EXPECT_EQ(s.group->Buttons()[1]->geometry(), QRect(0, 30, 60, 31));
  EXPECT_EQ(s.group->Buttons()[1]->CornerEllipse(), QSize(0, 0));
}

TEST(MacBtnGroup, clickingLatchedButtonSendsNothingAndAnotherOneSwitches) {
  ModeSwitch s;
  ASSERT_EQ(s.group->CreateButtons(kModes, kModeIds, 1, 3, QFont(), true), 1);
  QSignalSpy commands(s.group, &NMacBtnGroup::command);
  s.group->Select(179);
  EXPECT_EQ(s.group->SelectedId(), 179);

  Click(*s.group->Find(179), QPoint(10, 10));
  QCoreApplication::processEvents();
  EXPECT_EQ(commands.count(), 0);

  Click(*s.group->Find(181), QPoint(10, 10));
  EXPECT_EQ(commands.count(), 0);  // posted, not sent
  QCoreApplication::processEvents();
  ASSERT_EQ(commands.count(), 1);
  EXPECT_EQ(commands.at(0).at(0).toInt(), 181);
  EXPECT_EQ(s.group->Find(179)->GetVisualState(), CMacButton::kNormal);
  EXPECT_EQ(s.group->SelectedId(), 181);
  EXPECT_EQ(s.group->Find(999), nullptr);

  s.group->SetTheme(Qt::black, 3);
  EXPECT_EQ(s.group->Find(180)->Theme(), 3);
}

namespace {
struct MenuFixture {
  NMacMenu menu;
  QFont font;
  MenuFixture() {
    font.setPixelSize(12);
    menu.SetMenuFont(font);
    menu.AppendItem(NMacMenu::kMfOwnerDraw, 2210, QStringLiteral("Show main window"));
    menu.AppendItem(NMacMenu::kMfOwnerDraw | NMacMenu::kMfChecked, 2211, QStringLiteral("Show Clock"));
    menu.AppendItem(NMacMenu::kMfSeparator, 0, QString());
    menu.AppendItem(NMacMenu::kMfOwnerDraw | NMacMenu::kMfGrayed, 2216, QStringLiteral("Config"));
  }
  int Longest() const { return MeasureGdiText(font, QStringLiteral("Show main window"), kDtSingleLine).width(); }
};
}  // namespace

TEST(MacMenu, widthIsLongestTextPlus22WithoutIconsAnd26WithThem) {
  MenuFixture f;
  EXPECT_EQ(f.menu.MeasureItem(false), QSize(f.Longest() + 22, 20));
  EXPECT_EQ(f.menu.MeasureItem(true), QSize(f.Longest() + 22, 12));

  MenuFixture g;
  g.menu.SetIcon(2210, 128);
  EXPECT_EQ(g.menu.MeasureItem(false).width(), g.Longest() + 26);

  NMacMenu empty;
  EXPECT_EQ(empty.MeasureItem(false).width(), NMacMenu::kSystemMenuButtonWidth);
  empty.SetItemWidth(150);
  EXPECT_EQ(empty.MeasureItem(false).width(), 150);
}

TEST(MacMenu, selectedItemIsFramedAndFilled) {
  MenuFixture f;
  QImage image = Canvas(200, 20);
  QPainter painter(&image);
  f.menu.DrawItem(painter, QRect(0, 0, 200, 20), f.menu.ItemAction(2210), true);
  painter.end();
  EXPECT_EQ(Pixel(image, 0, 0), MakeColorRef(80, 100, 180));
  EXPECT_EQ(Pixel(image, 199, 19), MakeColorRef(80, 100, 180));
  EXPECT_EQ(Pixel(image, 1, 1), MakeColorRef(210, 230, 255));
  EXPECT_EQ(Pixel(image, 190, 10), MakeColorRef(210, 230, 255));

  QImage plain = Canvas(200, 20);
  QPainter p2(&plain);
  f.menu.DrawItem(p2, QRect(0, 0, 200, 20), f.menu.ItemAction(2210), false);
  p2.end();
  EXPECT_EQ(Pixel(plain, 0, 0), MakeColorRef(224, 223, 227));
}

TEST(MacMenu, checkedItemShowsDrawnTickUnlessItHasAnIcon) {
  MenuFixture f;
  QImage image = Canvas(200, 20);
  {
    QPainter painter(&image);
    f.menu.DrawItem(painter, QRect(0, 0, 200, 20), f.menu.ItemAction(2211), false);
  }
  const ColorRef tick = MakeColorRef(80, 100, 180);
  const ColorRef bg = MakeColorRef(224, 223, 227);
  // Box 14 × 14 at (4, 3); strokes at x = 8..14 with tops 6,7,8,7,6,5,4 below y = 3.
  EXPECT_EQ(Pixel(image, 4, 3), tick);
  EXPECT_EQ(Pixel(image, 17, 16), tick);
  EXPECT_EQ(Pixel(image, 8, 9), tick);
  EXPECT_EQ(Pixel(image, 8, 11), tick);
  EXPECT_EQ(Pixel(image, 8, 12), bg);
  EXPECT_EQ(Pixel(image, 10, 11), tick);
  EXPECT_EQ(Pixel(image, 10, 13), tick);
  EXPECT_EQ(Pixel(image, 14, 7), tick);
  EXPECT_EQ(Pixel(image, 14, 6), bg);

  f.menu.SetIcon(2211, 201);
  QImage withIcon = Canvas(200, 20);
  {
    QPainter painter(&withIcon);
    f.menu.DrawItem(painter, QRect(0, 0, 200, 20), f.menu.ItemAction(2211), false);
  }
  EXPECT_NE(Pixel(withIcon, 4, 3), tick);  // the icon instead of the framed box
}

TEST(MacMenu, separatorIsEtchedLineInsetSixPixels) {
  MenuFixture f;
  QImage image = Canvas(100, 12);
  {
    QPainter painter(&image);
    f.menu.DrawItem(painter, QRect(0, 0, 100, 12), nullptr, false);
  }
  EXPECT_EQ(Pixel(image, 50, 5), syscolor::kBtnShadow);
  EXPECT_EQ(Pixel(image, 50, 6), syscolor::kBtnHighlight);
  EXPECT_EQ(Pixel(image, 5, 5), MakeColorRef(224, 223, 227));
  EXPECT_EQ(Pixel(image, 6, 5), syscolor::kBtnShadow);
}

TEST(MacMenu, setItemNeedsStoredTextsAndTriggeringReportsTheId) {
  NMacMenu empty;
  EXPECT_EQ(empty.SetItem(1, QStringLiteral("x"), QString()), 0);
  MenuFixture f;
  EXPECT_EQ(f.menu.SetItem(2210, QStringLiteral("Hide main window"), QString()), 1);
  EXPECT_EQ(f.menu.ItemText(2210), QStringLiteral("Hide main window"));
  EXPECT_EQ(f.menu.SetItem(2210, QString(), QStringLiteral("/nonexistent.png")), 1);
  EXPECT_EQ(f.menu.ItemText(2210), QStringLiteral("Hide main window"));
  EXPECT_FALSE(f.menu.HasIcons());
  QSignalSpy commands(&f.menu, &NMacMenu::command);
  f.menu.ItemAction(2211)->trigger();
  ASSERT_EQ(commands.count(), 1);
  EXPECT_EQ(commands.at(0).at(0).toInt(), 2211);
  EXPECT_FALSE(f.menu.ItemAction(2216)->isEnabled());
}

TEST(MacMenu, renderedPopupPaintsItsItems) {
  MenuFixture f;
  f.menu.setActiveAction(f.menu.ItemAction(2210));
  f.menu.resize(f.menu.sizeHint());
  const QImage image = Render(f.menu);
  const QRect first = f.menu.actionGeometry(f.menu.ItemAction(2210));
  ASSERT_TRUE(first.isValid());
  EXPECT_EQ(first.height(), 20);
  EXPECT_EQ(first.width(), f.Longest() + 22 + 12);  // with the popup's check-mark width
  EXPECT_EQ(f.menu.actionGeometry(f.menu.actions()[2]).height(), 12);
  EXPECT_EQ(Pixel(image, first.center().x(), first.top()), MakeColorRef(80, 100, 180));
}

TEST(MacMenu, screenshotOfATrayLikeMenu) {
  MenuFixture f;
  f.menu.SetIcon(2210, 128);
  f.menu.setActiveAction(f.menu.ItemAction(2210));
  f.menu.resize(f.menu.sizeHint());
  const QImage image = Render(f.menu);
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
  QDir().mkpath(folder);
  EXPECT_TRUE(image.save(folder + QStringLiteral("/menu.png")));
}
