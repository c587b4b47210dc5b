#include "diary/rich_diary_ctrl.h"

#include "controls/color_theme.h"
#include "controls/desktop_open.h"
#include "controls/gdi_painter.h"
#include "controls/mac_menu.h"
#include "controls/msg_box_dlg.h"
#include "diary/attachment_copy.h"
#include "diary/page_links.h"
#include "diary/page_objects.h"
#include "diary/personal_words.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "diary/spell_highlighter.h"
#include "diary/spell_session.h"
#include "diary/spell_words.h"
#include "platform/file_io.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QMimeData>
#include <QMouseEvent>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextList>
#include <QUrl>

namespace orlane {

namespace {
constexpr qint64 kAttachmentLimit = qint64(64) << 20;
constexpr qint64 kImportLimit = qint64(512) << 20;
}  // namespace

CRichDiaryCtrl::CRichDiaryCtrl(QWidget* parent) : QTextEdit(parent) {
  setContextMenuPolicy(Qt::CustomContextMenu);
  connect(this, &QWidget::customContextMenuRequested, this, &CRichDiaryCtrl::ShowContextMenu);
}

void CRichDiaryCtrl::ClearPage() {
  // QTextEdit::clear() would keep the format at the caret for the next text.
  document()->clear();
  setCurrentCharFormat(QTextCharFormat());
  document()->setModified(false);
}

void CRichDiaryCtrl::SetTheme(int theme) {
  theme_ = theme;
  if (highlighter_) highlighter_->SetWaveColor(ToQColor(ThemeColor(theme_, kThemeAccent)));
}

void CRichDiaryCtrl::SetSpellSession(SpellSession* session) {
  if (session == spell_) return;
  delete highlighter_;  // owned by the document; it takes its marks away
  spell_ = session;
  if (session) highlighter_ = new SpellHighlighter(document(), session, ToQColor(ThemeColor(theme_, kThemeAccent)));
}

void CRichDiaryCtrl::RecheckSpelling() {
  if (highlighter_) highlighter_->MarkAll();
}

SpellSession* CRichDiaryCtrl::Spelling() const {
  return spell_;
}

bool CRichDiaryCtrl::SetRtfText(const QByteArray& rtf) {
  RtfReader reader;
  const bool read = reader.read(rtf, *document());
  document()->setModified(false);
  return read && !reader.hasError();
}

QByteArray CRichDiaryCtrl::GetRtf() const {
  return RtfWriter().write(*document());
}

int CRichDiaryCtrl::SaveRtf(QString path) {
  if (path.isEmpty())
    path = QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("RTF File (*.rtf)"));
  if (path.isEmpty()) return 0;
  if (!QFileInfo(path).fileName().contains(QLatin1Char('.'))) path += QStringLiteral(".rtf");
  if (AtomicWriteFile(path, GetRtf()) == WriteResult::Written) return 1;
  ThemedNotice(QStringLiteral("The page could not be saved to ") + path, theme_, this);
  return 0;
}

int CRichDiaryCtrl::ImportRtf(QString path) {
  if (path.isEmpty())
    path = QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("RTF File (*.rtf)"));
  if (path.isEmpty()) return 0;
  QByteArray bytes;
  RtfReader reader;
  if (ReadFileBytes(path, bytes, kImportLimit) == FileReadResult::Ok && reader.read(bytes, *document())) return 1;
  ThemedNotice(QStringLiteral("This file is not an RTF document: ") + QFileInfo(path).fileName(), theme_, this);
  return 0;
}

int CRichDiaryCtrl::InsertBitmapFile(QString path) {
  if (isReadOnly()) return 0;
  if (path.isEmpty())
    path = QFileDialog::getOpenFileName(this, QString(), QString(),
                                        QStringLiteral("Pictures (*.bmp *.jpg *.jpeg *.gif *.ico *.png)"));
  if (path.isEmpty()) return 0;
  const QImage picture = QImageReader(path).read();
  if (picture.isNull()) {
    ThemedNotice(QStringLiteral("This picture cannot be read: ") + QFileInfo(path).fileName(), theme_, this);
    return 0;
  }
  InsertBitmap(picture);
  return 1;
}

void CRichDiaryCtrl::InsertBitmap(const QImage& picture) {
  if (isReadOnly() || picture.isNull()) return;
  QTextCursor cursor = textCursor();
  InsertPageImage(cursor, picture);
}

int CRichDiaryCtrl::InsertObjectFromFile(QString path) {
  if (isReadOnly()) return 0;
  if (path.isEmpty()) path = QFileDialog::getOpenFileName(this);
  if (path.isEmpty()) return 0;
  QByteArray bytes;
  if (ReadFileBytes(path, bytes, kAttachmentLimit) != FileReadResult::Ok) {
    ThemedNotice(QStringLiteral("This file cannot be attached: ") + QFileInfo(path).fileName(), theme_, this);
    return 0;
  }
  QTextCursor cursor = textCursor();
  const QString name = QFileInfo(path).fileName();
  InsertAttachment(cursor, name, bytes, PaintAttachmentIcon(name));
  return 1;
}

void CRichDiaryCtrl::PrintTo(QPrinter& printer) const {
  printer.setPageMargins(QMarginsF(25.4, 25.4, 25.4, 25.4), QPageLayout::Millimeter);
  document()->print(&printer);
}

bool CRichDiaryCtrl::Find(const QString& text, QTextDocument::FindFlags flags, bool wrap) {
  if (text.isEmpty()) return false;
  if (find(text, flags)) return true;
  if (!wrap) return false;
  if (ThemedQuestion(QStringLiteral("Reached the end of the text. Continue from the beginning?"), theme_, this) != 1)
    return false;
  moveCursor(QTextCursor::Start);
  if (find(text, flags)) return true;
  ThemedNotice(QStringLiteral("Not found!"), theme_, this);
  return false;
}

void CRichDiaryCtrl::FindSpellTarget(const QPoint& at) {
  spellTarget_ = {};
  if (!spell_ || isReadOnly()) return;
  const QTextCursor click = cursorForPosition(at);
  const QString text = click.block().text();
  const int column = click.positionInBlock();
  for (const WordSpan& span : SpellWords(text)) {
    // The caret lands before or after the letter clicked: both ends count.
    if (column < span.start || column > span.start + span.length) continue;
    const QString word = text.mid(span.start, span.length);
    if (spell_->isCorrectNow(word)) return;
    spellTarget_ = {click.block().position() + span.start, word, spell_->suggestions(word)};
    return;
  }
}

void CRichDiaryCtrl::AppendSpellItems(NMacMenu& menu) const {
  if (spellTarget_.start < 0) return;
  const int most = kSuggestionLast - kSuggestionFirst + 1;
  for (int i = 0; i < spellTarget_.suggestions.size() && i < most; ++i)
    menu.AppendItem(NMacMenu::kMfString, kSuggestionFirst + i, spellTarget_.suggestions[i]);
  if (spellTarget_.suggestions.isEmpty()) {
    menu.AppendItem(NMacMenu::kMfString, kNoSuggestion, QStringLiteral("(no suggestions)"));
    menu.EnableItem(kNoSuggestion, false);
  }
  menu.AppendItem(NMacMenu::kMfString, kAddToDictionary, QStringLiteral("Add to dictionary"));
  menu.AppendItem(NMacMenu::kMfString, kIgnoreWord, QStringLiteral("Ignore"));
  menu.AppendItem(NMacMenu::kMfSeparator, 0, QString());
}

void CRichDiaryCtrl::OnSpellCommand(int id) {
  const SpellTarget target = spellTarget_;
  spellTarget_ = {};
  if (target.start < 0 || !spell_) return;
  if (id == kIgnoreWord) return spell_->ignore(target.word);
  if (id == kAddToDictionary) {
    if (spell_->addToDictionary(target.word) != WriteResult::Written)
      ThemedNotice(QStringLiteral("The word could not be added to the personal word list %1: %2")
                       .arg(PersonalWordsPath(), LastFileError()),
                   theme_, this);
    return;
  }
  const int index = id - kSuggestionFirst;
  if (index < 0 || index >= target.suggestions.size() || isReadOnly()) return;
  QTextCursor word(document());
  word.setPosition(target.start);
  word.setPosition(target.start + static_cast<int>(target.word.size()), QTextCursor::KeepAnchor);
  if (word.selectedText() != target.word) return;  // the page changed under the menu
  // The correction keeps the look of the word's first letter.
  QTextCursor first(document());
  first.setPosition(target.start + 1);
  word.insertText(target.suggestions[index], first.charFormat());
}

void CRichDiaryCtrl::ShowContextMenu(const QPoint& at) {
  NMacMenu menu(this);
  menu.SetItemHeight(21);
  menu.SetMenuFont(font());
  menu.SetBackgroundColor(ThemeColor(theme_, kThemeLightFace));
  FindSpellTarget(at);
  AppendSpellItems(menu);
  menu.AppendItem(NMacMenu::kMfString, kCut, QStringLiteral("Cut"));
  menu.AppendItem(NMacMenu::kMfString, kCopy, QStringLiteral("Copy"));
  menu.AppendItem(NMacMenu::kMfString, kPaste, QStringLiteral("Paste"));
  menu.AppendItem(NMacMenu::kMfSeparator, 0, QString());
  menu.AppendItem(NMacMenu::kMfString, kInsertPicture, QStringLiteral("Insert a Picture"));
  menu.AppendItem(NMacMenu::kMfString, kBulletStyle, QStringLiteral("Bullet Style"));
  const bool selection = textCursor().hasSelection();
  const bool writable = !isReadOnly();
  menu.EnableItem(kCut, selection && writable);
  menu.EnableItem(kCopy, selection);
  menu.EnableItem(kPaste, writable && canPaste());
  menu.EnableItem(kInsertPicture, writable);
  menu.EnableItem(kBulletStyle, writable);
  menu.CheckItem(kBulletStyle, textCursor().currentList() != nullptr);
  connect(&menu, &NMacMenu::command, this, &CRichDiaryCtrl::OnCommand);
  menu.exec(mapToGlobal(at));
}

void CRichDiaryCtrl::OnCommand(int id) {
  if (id == kAddToDictionary || id == kIgnoreWord || (id >= kSuggestionFirst && id <= kSuggestionLast))
    return OnSpellCommand(id);
  switch (id) {
    case kCut: cut(); break;
    case kCopy: copy(); break;
    case kPaste: paste(); break;
    case kInsertPicture: InsertBitmapFile({}); break;
    case kBulletStyle: {
      if (isReadOnly()) break;
      QTextCursor cursor = textCursor();
      if (QTextList* list = cursor.currentList()) {
        for (int i = list->count() - 1; i >= 0; --i) list->remove(list->item(i));
        QTextBlockFormat block = cursor.blockFormat();
        block.setIndent(0);
        cursor.setBlockFormat(block);
      } else {
        cursor.createList(QTextListFormat::ListDisc);
      }
      break;
    }
    default: break;
  }
}

void CRichDiaryCtrl::mouseReleaseEvent(QMouseEvent* event) {
  QTextEdit::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || textCursor().hasSelection()) return;
  // A link of the page opens with Ctrl, so that a plain click can edit its text.
  if (event->modifiers() & Qt::ControlModifier) {
    const QString href = anchorAt(event->position().toPoint());
    if (!href.isEmpty()) {
      OpenOnDesktop(QUrl(href));
      return;
    }
  }
  const QTextCursor at = cursorForPosition(event->position().toPoint());
  const QString link = LinkAt(at.block().text(), at.positionInBlock());
  if (!link.isEmpty()) OpenOnDesktop(QUrl(link));
}

// Plain text takes the format of the text around the caret; Qt would give it
// the format of a picture or file just before it, one object per character.
void CRichDiaryCtrl::insertFromMimeData(const QMimeData* source) {
  const bool rich =
      acceptRichText() && (source->hasHtml() || source->hasFormat(QStringLiteral("application/x-qrichtext")));
  if (rich || !source->hasText() || isReadOnly()) {
    QTextEdit::insertFromMimeData(source);
    return;
  }
  QTextCursor cursor = textCursor();
  cursor.beginEditBlock();
  cursor.removeSelectedText();
  cursor.insertText(source->text(), TextFormatAt(cursor));
  cursor.endEditBlock();
  setTextCursor(cursor);
  ensureCursorVisible();
}

QMimeData* CRichDiaryCtrl::createMimeDataFromSelection() const {
  QMimeData* copied = QTextEdit::createMimeDataFromSelection();
  // Reading one format makes Qt fill in all of them now; the plain text set
  // after that stays.
  (void)copied->html();
  copied->setText(PlainTextWithoutObjects(copied->text()));
  return copied;
}

int CRichDiaryCtrl::OpenAttachment(const QTextFormat& format) {
  if (!IsAttachment(format)) return 0;
  const QString name = AttachmentFileName(AttachmentName(format));
  const QByteArray bytes = AttachmentData(format);
  if (IsExecutableAttachment(name, bytes) &&
      ThemedQuestion(QStringLiteral("\"%1\" is a program or script: opening it may run it. Open it anyway?").arg(name),
                     theme_, this, 2) != 1)
    return 0;
  const QString copy = WriteAttachmentCopy(name, bytes);
  if (copy.isEmpty()) {
    ThemedNotice(QStringLiteral("The attached file could not be copied for opening: ") + name, theme_, this);
    return 0;
  }
  return OpenOnDesktop(QUrl::fromLocalFile(copy)) ? 1 : 0;
}

void CRichDiaryCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  // An attached file opens as a private copy.
  const QTextCursor at = cursorForPosition(event->position().toPoint());
  for (int step : {1, 0}) {
    QTextCursor probe(document());
    probe.setPosition(std::min(at.position() + step, document()->characterCount() - 1));
    const QTextCharFormat format = probe.charFormat();
    if (!IsAttachment(format)) continue;
    OpenAttachment(format);
    return;
  }
  QTextEdit::mouseDoubleClickEvent(event);
}

}  // namespace orlane
