#include "diary/rich_diary_ctrl.h"
#include "controls/modal_responder.h"
#include "diary/page_objects.h"
#include "platform/private_folder.h"
#include "platform/services.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTextCursor>
#include <QTextList>

#include <sys/stat.h>

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

namespace {
QTextImageFormat Attachment(const QString& name, const QByteArray& bytes) {
  QTextImageFormat format;
  format.setProperty(kAttachmentNameProperty, name);
  format.setProperty(kAttachmentDataProperty, bytes);
  return format;
}
}  // namespace

TEST(RichDiaryCtrl, attachmentsOpenFromAFreshPrivateCopy) {
  test::TempUserFolder folder;
  // What another user could have prepared in the shared temporary folder.
  const QString shared = QDir::tempPath() + QStringLiteral("/orlane-attachments");
  QDir().mkpath(shared);
  CRichDiaryCtrl editor;
  QList<QUrl> opened;
  ScopedService opener(&Services::openUrl, [&](const QUrl& url) {
    opened << url;
    return true;
  });
  ASSERT_EQ(editor.OpenAttachment(Attachment(QStringLiteral("notes.txt"), "dear diary")), 1);
  ASSERT_EQ(editor.OpenAttachment(Attachment(QStringLiteral("../../notes.txt"), "again")), 1);
  ASSERT_EQ(opened.size(), 2);
  const QString first = opened[0].toLocalFile();
  const QString second = opened[1].toLocalFile();
  EXPECT_FALSE(first.startsWith(shared));
  EXPECT_NE(QFileInfo(first).absolutePath(), QFileInfo(second).absolutePath());
  EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("notes.txt"));
  for (const QString& path : {first, second}) {
    EXPECT_TRUE(IsPrivateFolder(QFileInfo(path).absolutePath()));
    struct stat info {};
    ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
  }
  QFile copy(first);
  ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
  EXPECT_EQ(copy.readAll(), "dear diary");
}

TEST(RichDiaryCtrl, programsAndScriptsOpenOnlyAfterAQuestionThatDefaultsToNo) {
  test::TempUserFolder folder;
  CRichDiaryCtrl editor;
  int opened = 0;
  ScopedService opener(&Services::openUrl, [&](const QUrl&) { return ++opened > 0; });
  QList<ModalRequest> asked;
  int answer = 2;
  ScopedModalResponder responder([&](const ModalRequest& r) {
    asked << r;
    return answer;
  });
  const std::pair<const char*, QByteArray> programs[] = {
      {"setup.desktop", "[Desktop Entry]\nType=Application\nExec=rm -rf ~\n"},
      {"clean.sh", "#!/bin/sh\nrm -rf ~\n"},
      {"tool", QByteArray("\x7F"
                          "ELF\x02\x01\x01",
                          7) +
                   QByteArray(64, '\0')},
      {"game.exe", "MZ\x90"},
      {"script.py", "print(1)\n"}};
  for (const auto& [name, bytes] : programs) {
    asked.clear();
    EXPECT_EQ(editor.OpenAttachment(Attachment(QString::fromLatin1(name), bytes)), 0) << name;
    ASSERT_EQ(asked.size(), 1) << name;
    EXPECT_TRUE(asked[0].text.contains(QString::fromLatin1(name)));
    EXPECT_EQ(asked[0].defaultButton, 2);
  }
  EXPECT_EQ(opened, 0);
  answer = 1;
  EXPECT_EQ(editor.OpenAttachment(Attachment(QStringLiteral("clean.sh"), "#!/bin/sh\n")), 1);
  EXPECT_EQ(opened, 1);
  asked.clear();
  EXPECT_EQ(editor.OpenAttachment(Attachment(QStringLiteral("photo.png"), "\x89PNG\r\n\x1a\n")), 1);
  EXPECT_TRUE(asked.isEmpty());
}

namespace {
void Click(CRichDiaryCtrl& editor, QPoint at, Qt::KeyboardModifiers modifiers) {
  for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QMouseEvent event(type, at, editor.viewport()->mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, modifiers);
    QApplication::sendEvent(editor.viewport(), &event);
  }
}
}  // namespace

TEST(RichDiaryCtrl, ctrlClickOnALinkOpensItsTargetAPlainClickEditsIt) {
  CRichDiaryCtrl editor;
  editor.resize(400, 200);
  editor.show();
  ASSERT_TRUE(editor.SetRtfText(
      "{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"https://example.org/a\"}{\\fldrslt linked words}} after\\par}"));
  QList<QUrl> opened;
  ScopedService opener(&Services::openUrl, [&](const QUrl& url) {
    opened << url;
    return true;
  });
  QTextCursor inLink(editor.document());
  inLink.setPosition(3);
  const QPoint at = editor.cursorRect(inLink).center();
  Click(editor, at, Qt::NoModifier);
  EXPECT_TRUE(opened.isEmpty());
  Click(editor, at, Qt::ControlModifier);
  EXPECT_EQ(opened, QList<QUrl>({QUrl(QStringLiteral("https://example.org/a"))}));
}

TEST(RichDiaryCtrl, textPastedAfterAnAttachedFileIsTextInTheFormatBeforeIt) {
  CRichDiaryCtrl editor;
  QTextCursor cursor(editor.document());
  QTextCharFormat serif;
  serif.setFontFamilies({QStringLiteral("DejaVu Serif")});
  serif.setFontPointSize(14);
  cursor.insertText(QStringLiteral("Before "), serif);
  InsertAttachment(cursor, QStringLiteral("notes.txt"), "bytes", QImage(8, 8, QImage::Format_RGB32));
  editor.setTextCursor(cursor);
  QApplication::clipboard()->setText(QStringLiteral("pasted words"));
  editor.paste();
  EXPECT_EQ(VisiblePlainText(*editor.document()), QStringLiteral("Before \uFFFCpasted words"));
  int objects = 0;
  for (auto it = editor.document()->begin().begin(); !it.atEnd(); ++it) {
    const QTextCharFormat format = it.fragment().charFormat();
    if (format.isImageFormat()) {
      ++objects;
      continue;
    }
    EXPECT_EQ(format.fontPointSize(), 14) << it.fragment().text().toStdString();
    EXPECT_FALSE(format.hasProperty(kAttachmentDataProperty));
  }
  EXPECT_EQ(objects, 1);
  // Other programs get the text without the object's mark.
  editor.selectAll();
  editor.copy();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Before pasted words"));
}

TEST(RichDiaryCtrl, aClearedPageTypesInThePlainFormat) {
  CRichDiaryCtrl editor;
  editor.setFontPointSize(30);
  editor.setTextColor(Qt::red);
  editor.insertPlainText(QStringLiteral("big"));
  editor.ClearPage();
  editor.insertPlainText(QStringLiteral("fresh"));
  const QTextCharFormat format = editor.document()->begin().begin().fragment().charFormat();
  EXPECT_NE(format.fontPointSize(), 30);
  EXPECT_FALSE(format.hasProperty(QTextFormat::ForegroundBrush));
}
