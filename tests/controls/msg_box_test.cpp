#include "controls/bv_title.h"
#include "controls/color_label.h"
#include "controls/gdi_painter.h"
#include "controls/mac_button.h"
#include "controls/msg_box_dlg.h"
#include "controls/theme_frame.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDir>

using namespace orlane;

namespace {
// Answers with `id` and keeps what the box showed.
struct Recorder {
  ModalRequest seen;
  QRect textRect;
  QSize windowSize;
  QList<QRect> buttonRects;
  int calls = 0;

  ModalResponder Answer(int id) {
    return [this, id](const ModalRequest& request) {
      ++calls;
      seen = request;
      auto* box = qobject_cast<CMsgBoxDlg*>(request.dialog);
      if (box) {
        textRect = box->Label()->geometry();
        windowSize = box->size();
        for (int bid : {1, 2, 201, 202})
          if (box->Button(bid) && !box->Button(bid)->isHidden()) buttonRects << box->Button(bid)->geometry();
      }
      return id;
    };
  }
};
}  // namespace

TEST(MsgBoxLayout, narrowMessageGets220PixelsCentredAndWiderOnesTheirWidthPlus60) {
  MsgBoxLayout small = ComputeMsgBoxLayout(100, 14, kThemeFrameWidth);
  EXPECT_EQ(small.window, QSize(220, 134));
  EXPECT_EQ(small.text.width(), 100);
  EXPECT_EQ(small.text.top(), 55);
  EXPECT_EQ(small.text.left() * 2 + small.text.width(), 220 - 2 * kThemeFrameWidth);  // centred in the client area

  MsgBoxLayout medium = ComputeMsgBoxLayout(300, 14, kThemeFrameWidth);
  EXPECT_EQ(medium.window, QSize(360, 134));
  EXPECT_EQ(medium.text, QRect(30, 55, 300, 14));

  MsgBoxLayout wide = ComputeMsgBoxLayout(2000, 70, kThemeFrameWidth);
  EXPECT_EQ(wide.window, QSize(500, 190));
  EXPECT_EQ(wide.text.width(), 440);

  EXPECT_EQ(ComputeMsgBoxLayout(160, 14, 3).window.width(), 220);
  EXPECT_EQ(ComputeMsgBoxLayout(159, 14, 3).window.width(), 220);
}

TEST(MsgBox, noticeIsLaidOutAroundItsMessageWithOneCentredOkButton) {
  Recorder r;
  ScopedModalResponder answer(r.Answer(1));
  ThemedNotice(QStringLiteral("Saved."), 3);
  ASSERT_EQ(r.calls, 1);
  EXPECT_EQ(r.seen.dialogClass, QStringLiteral("CMsgBoxDlg"));
  EXPECT_EQ(r.seen.boxKind, 0);
  EXPECT_EQ(r.seen.title, QStringLiteral("Message"));
  EXPECT_EQ(r.seen.text, QStringLiteral("Saved."));
  EXPECT_EQ(r.seen.buttons, QStringList{QStringLiteral("&OK")});
  EXPECT_EQ(r.windowSize.width(), 220);
  const int clientW = 220 - 2 * kThemeFrameWidth;
  EXPECT_NEAR(r.textRect.center().x(), clientW / 2, 1);
  ASSERT_EQ(r.buttonRects.size(), 1);
  EXPECT_EQ(r.buttonRects[0].size(), QSize(68, 23));
  EXPECT_EQ(r.buttonRects[0].left(), (clientW - 68) / 2);
  EXPECT_EQ(r.buttonRects[0].top(), r.windowSize.height() - 2 * kThemeFrameWidth - 40);
}

TEST(MsgBox, longMessageWrapsAt440AndGrowsInHeight) {
  Recorder oneLine;
  {
    ScopedModalResponder answer(oneLine.Answer(1));
    ThemedNotice(QStringLiteral("Short."), 5);
  }
  Recorder r;
  ScopedModalResponder answer(r.Answer(1));
  QString text;
  for (int i = 0; i < 40; ++i) text += QStringLiteral("reminder ");
  ThemedNotice(text, 5);
  EXPECT_EQ(r.windowSize.width(), 500);
  EXPECT_EQ(r.textRect.width(), 440);
  EXPECT_GT(r.windowSize.height(), oneLine.windowSize.height() + 20);
  EXPECT_EQ(r.windowSize.height(), r.textRect.height() + 120);
}

TEST(MsgBox, questionIsYesOnlyForTheYesButton) {
  for (const auto& [id, expected] : std::vector<std::pair<int, int>>{{1, 1}, {2, 0}, {0, 0}, {77, 0}}) {
    Recorder r;
    ScopedModalResponder answer(r.Answer(id));
    EXPECT_EQ(ThemedQuestion(QStringLiteral("Delete this reminder?"), 2), expected) << id;
    EXPECT_EQ(r.seen.title, QStringLiteral("Please select"));
    EXPECT_EQ(r.seen.buttons, (QStringList{QStringLiteral("&Yes"), QStringLiteral("&No")}));
    ASSERT_EQ(r.buttonRects.size(), 2);
    EXPECT_EQ(r.buttonRects[1].left() - r.buttonRects[0].left(), 108);
  }
}

TEST(MsgBox, retryCancelAndResultsOfEveryButton) {
  Recorder r;
  ScopedModalResponder answer(r.Answer(2));
  CMsgBoxDlg box(QStringLiteral("The sound device is busy."), CMsgBoxDlg::kRetryCancel, 1);
  EXPECT_EQ(box.Result(), -1);
  box.exec();
  EXPECT_EQ(box.Result(), 1);
  EXPECT_EQ(r.seen.buttons, (QStringList{QStringLiteral("&Retry"), QStringLiteral("&Cancel")}));
}

TEST(MsgBox, customButtonsAreLaidOutRightToLeftAndReportTheirIndex) {
  for (const auto& [id, expected] : std::vector<std::pair<int, int>>{{1, 0}, {2, 1}, {201, 2}, {202, 3}}) {
    Recorder r;
    ScopedModalResponder answer(r.Answer(id));
    CMsgBoxDlg box(QStringLiteral("Choose a format"), CMsgBoxDlg::kCustom, 5);
    box.SetCustomButtons({QStringLiteral("8 bit"), QStringLiteral("16 bit"), QStringLiteral("A rather long caption"),
                          QStringLiteral("Skip"), QStringLiteral("Ignored fifth")});
    box.exec();
    EXPECT_EQ(box.Result(), expected);
    EXPECT_EQ(r.seen.title, QStringLiteral("Please select:"));
    ASSERT_EQ(r.buttonRects.size(), 4);
    const int clientW = r.windowSize.width() - 2 * kThemeFrameWidth;
    EXPECT_EQ(r.buttonRects[3].right() + 1, clientW - 20);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(r.buttonRects[i].right() + 1 + 10, r.buttonRects[i + 1].left());
    EXPECT_EQ(r.buttonRects[0].width(), 68);
    EXPECT_GT(r.buttonRects[2].width(), 68);
    EXPECT_EQ(r.buttonRects[0].height(), 23);
  }
}

TEST(MsgBox, customBoxWithoutTextsStillOffersOk) {
  Recorder r;
  ScopedModalResponder answer(r.Answer(1));
  CMsgBoxDlg box(QStringLiteral("Nothing to choose"), CMsgBoxDlg::kCustom, 5);
  box.SetCustomTitle(QStringLiteral("Formats"));
  box.exec();
  EXPECT_EQ(r.seen.buttons, QStringList{QStringLiteral("&OK")});
  EXPECT_EQ(r.seen.title, QStringLiteral("Formats"));
  EXPECT_EQ(box.Result(), 0);
}

TEST(MsgBox, closingWithoutAButtonCountsAsTheSecond) {
  CMsgBoxDlg box(QStringLiteral("Close me"), CMsgBoxDlg::kYesNo, 5);
  box.EnsureInitialized();
  box.reject();
  EXPECT_EQ(box.Result(), 1);
  EXPECT_TRUE(box.CloseButton()->isHidden());
  for (int id : {1, 2}) EXPECT_EQ(box.Button(id)->Theme(), 5);
}

TEST(MsgBox, plainErrorBoxIsAnsweredThroughTheResponder) {
  Recorder r;
  ScopedModalResponder answer(r.Answer(1));
  ShowErrorMessage(QStringLiteral("parameter error"));
  EXPECT_EQ(r.seen.dialogClass, QStringLiteral("ErrorMessageBox"));
  EXPECT_EQ(r.seen.title, QStringLiteral("Orlane 2"));
  EXPECT_EQ(r.seen.text, QStringLiteral("parameter error"));
}

TEST(MsgBox, screenshotOfAQuestionShowsMessageAndBothButtons) {
  QImage shot;
  ScopedModalResponder answer([&](const ModalRequest& r) {
    r.dialog->ensurePolished();
    shot = r.dialog->grab().toImage();
    return 2;
  });
  ThemedQuestion(QStringLiteral("Do you want to exit Orlane 2 now?"), 6);
  ASSERT_FALSE(shot.isNull());
  // The frame's outer ring and the face of the client area.
  EXPECT_EQ(shot.pixel(0, shot.height() / 2), ToQColor(ThemeColor(6, kThemeOutline)).rgb());
  EXPECT_EQ(shot.pixel(10, shot.height() - 10), ToQColor(ThemeColor(6, kThemeLightFace)).rgb());
  const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/../screenshots");
  QDir().mkpath(folder);
  EXPECT_TRUE(shot.save(folder + QStringLiteral("/message_box_question.png")));
}

TEST(UnattendedResponder, onlyTheTestEnvironmentAnswers) {
  qputenv("ORLANE_MODAL_ANSWER", "1");
  {
    ScopedModalResponder answer(UnattendedResponder());
    EXPECT_EQ(ThemedQuestion(QStringLiteral("Exit?"), 5), 1);
  }
  qputenv("ORLANE_MODAL_ANSWER", "2");
  {
    ScopedModalResponder answer(UnattendedResponder());
    EXPECT_EQ(ThemedQuestion(QStringLiteral("Exit?"), 5), 0);
  }
  qunsetenv("ORLANE_MODAL_ANSWER");
  // The shipped program never answers by itself, even offscreen.
  EXPECT_FALSE(UnattendedResponder());
  ScopedModalResponder answer(UnattendedResponder());
  EXPECT_FALSE(HasModalResponder());
}
