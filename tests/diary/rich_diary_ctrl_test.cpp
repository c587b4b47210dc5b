#include "controls/modal_responder.h"
#include "diary/page_objects.h"
#include "diary/rich_diary_ctrl.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTextCursor>
#include <QTextList>

using namespace orlane;

TEST(RichDiaryCtrl, pageAndAttachmentComeBackThroughRtf) {
  test::TempUserFolder folder;
  CRichDiaryCtrl editor;
  editor.setPlainText(QStringLiteral("Today with a file "));
  folder.write(QStringLiteral("../notes.txt"), "attached bytes");
  editor.moveCursor(QTextCursor::End);
  ASSERT_EQ(editor.InsertObjectFromFile(folder.root() + QStringLiteral("notes.txt")), 1);
  const QByteArray rtf = editor.GetRtf();

  CRichDiaryCtrl again;
  ASSERT_TRUE(again.SetRtfText(rtf));
  EXPECT_TRUE(again.toPlainText().startsWith(QStringLiteral("Today with a file")));
  bool found = false;
  for (QTextBlock b = again.document()->begin(); b.isValid(); b = b.next())
    for (auto it = b.begin(); !it.atEnd(); ++it)
      if (IsAttachment(it.fragment().charFormat())) {
        found = true;
        EXPECT_EQ(AttachmentName(it.fragment().charFormat()), QStringLiteral("notes.txt"));
        EXPECT_EQ(AttachmentData(it.fragment().charFormat()), "attached bytes");
      }
  EXPECT_TRUE(found);
  EXPECT_FALSE(again.SetRtfText("not rtf at all"));
}

TEST(RichDiaryCtrl, saveAddsTheExtensionAndImportReadsItBack) {
  test::TempUserFolder folder;
  CRichDiaryCtrl editor;
  editor.setPlainText(QStringLiteral("exported"));
  ASSERT_EQ(editor.SaveRtf(folder.root() + QStringLiteral("page")), 1);
  EXPECT_TRUE(QFile::exists(folder.root() + QStringLiteral("page.rtf")));
  CRichDiaryCtrl other;
  ASSERT_EQ(other.ImportRtf(folder.root() + QStringLiteral("page.rtf")), 1);
  EXPECT_EQ(other.toPlainText(), QStringLiteral("exported"));
  QStringList told;
  ScopedModalResponder responder([&](const ModalRequest& r) {
    told << r.text;
    return 1;
  });
  EXPECT_EQ(other.ImportRtf(folder.root() + QStringLiteral("missing.rtf")), 0);
  EXPECT_TRUE(told.back().startsWith(QStringLiteral("This file is not an RTF document")));
}

TEST(RichDiaryCtrl, readOnlyRefusesInsertionsAndBullets) {
  CRichDiaryCtrl editor;
  editor.setPlainText(QStringLiteral("text"));
  editor.setReadOnly(true);
  editor.selectAll();
  editor.OnCommand(CRichDiaryCtrl::kBulletStyle);
  EXPECT_EQ(editor.textCursor().currentList(), nullptr);
  EXPECT_EQ(editor.InsertObjectFromFile(QStringLiteral("/etc/hostname")), 0);
  editor.setReadOnly(false);
  editor.OnCommand(CRichDiaryCtrl::kBulletStyle);
  EXPECT_NE(editor.textCursor().currentList(), nullptr);
  editor.OnCommand(CRichDiaryCtrl::kBulletStyle);
  EXPECT_EQ(editor.textCursor().currentList(), nullptr);
}
