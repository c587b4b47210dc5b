// The main window's diary commands: emphasis, alignment, font name and size,
// colours, pictures and attached files, export and import, find, and keeping
// the toolbar in step with the caret.
#include "app/main_dlg.h"

#include "app/main_ids.h"
#include "controls/color_theme.h"
#include "controls/mac_button.h"
#include "controls/mac_menu.h"
#include "controls/modal_responder.h"
#include "controls/msg_box_dlg.h"
#include "diary/font_sizes.h"
#include "diary/page_objects.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_writer.h"
#include "platform/file_io.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>

namespace orlane {

namespace {
// The diary editor's context menu.
constexpr int kEditorCut = 9001;
constexpr int kEditorCopy = 9002;
constexpr int kEditorPaste = 9003;
constexpr int kEditorInsertPicture = 9005;
constexpr int kEditorBullets = 9006;

constexpr qint64 kAttachmentLimit = qint64(64) << 20;

void MergeFormat(QTextEdit* editor, const QTextCharFormat& format) {
  QTextCursor cursor = editor->textCursor();
  cursor.mergeCharFormat(format);
  editor->mergeCurrentCharFormat(format);
}

bool Pressed(const MainControls& c, int id) {
  const CMacButton* b = c.button(id);
  return b && b->GetVisualState() == CMacButton::kPressed;
}
}  // namespace

void CMainDlg::OnDiaryCommand(int id) {
  QTextEdit* editor = controls_.diaryEditor;
  if (editor->isReadOnly() && id != ids::kDiarySaveAs && id != ids::kFind) return;
  QTextCharFormat format;
  switch (id) {
    case ids::kBold: format.setFontWeight(Pressed(controls_, id) ? QFont::Bold : QFont::Normal); break;
    case ids::kItalic: format.setFontItalic(Pressed(controls_, id)); break;
    case ids::kUnderline: format.setFontUnderline(Pressed(controls_, id)); break;
    case ids::kAlignLeft:
    case ids::kAlignCenter:
    case ids::kAlignRight: {
      for (int other : {ids::kAlignLeft, ids::kAlignCenter, ids::kAlignRight})
        if (other != id) controls_.button(other)->SetVisualState(CMacButton::kNormal, true);
      editor->setAlignment(id == ids::kAlignLeft ? Qt::AlignLeft : id == ids::kAlignCenter ? Qt::AlignHCenter
                                                                                           : Qt::AlignRight);
      return;
    }
    case ids::kFontColor: {
      const QColor c = QColorDialog::getColor(editor->textColor(), this);
      if (!c.isValid()) return;
      format.setForeground(c);
      break;
    }
    case ids::kBackgroundColor: {
      const QColor c = QColorDialog::getColor(DiaryBackground(), this);
      if (!c.isValid()) return;
      settings_.diaryBackground = c.red() | (c.green() << 8) | (c.blue() << 16);
      ApplyDiaryBackground();
      return;
    }
    case ids::kInsertPicture: {
      const QString path = QFileDialog::getOpenFileName(
          this, QString(), QString(), QStringLiteral("Pictures (*.bmp *.jpg *.jpeg *.gif *.ico *.png)"));
      if (path.isEmpty()) return;
      const QImage picture = QImageReader(path).read();
      if (picture.isNull()) {
        ThemedNotice(QStringLiteral("This picture cannot be read: ") + QFileInfo(path).fileName(), settings_.theme, this);
        return;
      }
      QTextCursor cursor = editor->textCursor();
      InsertPageImage(cursor, picture);
      return;
    }
    case ids::kAttachFile: {
      const QString path = QFileDialog::getOpenFileName(this);
      if (path.isEmpty()) return;
      QByteArray bytes;
      if (ReadFileBytes(path, bytes, kAttachmentLimit) != FileReadResult::Ok) {
        ThemedNotice(QStringLiteral("This file cannot be attached: ") + QFileInfo(path).fileName(), settings_.theme, this);
        return;
      }
      QTextCursor cursor = editor->textCursor();
      const QString name = QFileInfo(path).fileName();
      InsertAttachment(cursor, name, bytes, PaintAttachmentIcon(name));
      return;
    }
    case ids::kDiarySaveAs: {
      if (editor->toPlainText().isEmpty()) return;
      QString path = QFileDialog::getSaveFileName(this, QString(), QString(), QStringLiteral("RTF File (*.rtf)"));
      if (path.isEmpty()) return;
      if (!QFileInfo(path).fileName().contains(QLatin1Char('.'))) path += QStringLiteral(".rtf");
      if (AtomicWriteFile(path, RtfWriter().write(*editor->document())) != 1)
        ThemedNotice(QStringLiteral("The page could not be saved to ") + path, settings_.theme, this);
      return;
    }
    case ids::kDiaryImport: {
      const QString path = QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("RTF File (*.rtf)"));
      if (path.isEmpty()) return;
      QByteArray bytes;
      RtfReader reader;
      if (ReadFileBytes(path, bytes) != FileReadResult::Ok || !reader.read(bytes, *editor->document()))
        ThemedNotice(QStringLiteral("This file is not an RTF document: ") + QFileInfo(path).fileName(),
                     settings_.theme, this);
      return;
    }
    default: return;
  }
  MergeFormat(editor, format);
}

void CMainDlg::OnFontCombo(int id) {
  QTextCharFormat format;
  if (id == ids::kFontName) {
    format.setFontFamilies({controls_.fontName->currentText()});
  } else {
    const int twips = ComboSizeToTwips(controls_.fontSize->currentText().toInt());
    format.setFontPointSize(TwipsToPoints(twips));
  }
  MergeFormat(controls_.diaryEditor, format);
}

void CMainDlg::SyncDiaryFormat() {
  const QTextCharFormat f = controls_.diaryEditor->currentCharFormat();
  {
    QSignalBlocker blockSize(controls_.fontSize);
    const double points = f.fontPointSize() > 0 ? f.fontPointSize() : controls_.diaryEditor->font().pointSizeF();
    controls_.fontSize->setCurrentText(QString::number(TwipsToComboSize(PointsToTwips(points))));
  }
  {
    QSignalBlocker blockName(controls_.fontName);
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty()) controls_.fontName->setCurrentText(families.first());
  }
  const auto set = [this](int id, bool on) {
    controls_.button(id)->SetVisualState(on ? CMacButton::kPressed : CMacButton::kNormal, true);
  };
  set(ids::kBold, f.fontWeight() >= QFont::Bold);
  set(ids::kItalic, f.fontItalic());
  set(ids::kUnderline, f.fontUnderline());
  const Qt::Alignment a = controls_.diaryEditor->alignment();
  set(ids::kAlignCenter, a & Qt::AlignHCenter);
  set(ids::kAlignRight, a & Qt::AlignRight);
  set(ids::kAlignLeft, !(a & (Qt::AlignHCenter | Qt::AlignRight)));  // justified counts as left
}

void CMainDlg::ApplyDiaryBackground() {
  QPalette p = controls_.diaryEditor->palette();
  p.setColor(QPalette::Base, DiaryBackground());
  controls_.diaryEditor->setPalette(p);
}

void CMainDlg::ShowDiaryMenu(const QPoint& at) {
  QTextEdit* editor = controls_.diaryEditor;
  NMacMenu menu(this);
  menu.SetItemHeight(21);
  menu.SetMenuFont(editor->font());
  menu.SetBackgroundColor(ThemeColor(settings_.theme, kThemeLightFace));
  menu.AppendItem(NMacMenu::kMfString, kEditorCut, QStringLiteral("Cut"));
  menu.AppendItem(NMacMenu::kMfString, kEditorCopy, QStringLiteral("Copy"));
  menu.AppendItem(NMacMenu::kMfString, kEditorPaste, QStringLiteral("Paste"));
  menu.AppendItem(NMacMenu::kMfSeparator, 0, QString());
  menu.AppendItem(NMacMenu::kMfString, kEditorInsertPicture, QStringLiteral("Insert a Picture"));
  menu.AppendItem(NMacMenu::kMfString, kEditorBullets, QStringLiteral("Bullet Style"));
  const bool selection = editor->textCursor().hasSelection();
  const bool writable = !editor->isReadOnly();
  menu.EnableItem(kEditorCut, selection && writable);
  menu.EnableItem(kEditorCopy, selection);
  menu.EnableItem(kEditorPaste, writable && editor->canPaste());
  menu.EnableItem(kEditorInsertPicture, writable);
  menu.EnableItem(kEditorBullets, writable);
  menu.CheckItem(kEditorBullets, editor->textCursor().currentList() != nullptr);
  connect(&menu, &NMacMenu::command, this, &CMainDlg::OnEditorCommand);
  menu.exec(editor->mapToGlobal(at));
}

void CMainDlg::OnEditorCommand(int id) {
  QTextEdit* editor = controls_.diaryEditor;
  switch (id) {
    case kEditorCut: editor->cut(); break;
    case kEditorCopy: editor->copy(); break;
    case kEditorPaste: editor->paste(); break;
    case kEditorInsertPicture: OnDiaryCommand(ids::kInsertPicture); break;
    case kEditorBullets: {
      if (editor->isReadOnly()) break;
      QTextCursor cursor = editor->textCursor();
      if (QTextList* list = cursor.currentList()) {
        // Bullets off: the paragraphs leave the list and keep their indent at 0.
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

void CMainDlg::PrintDiary() {
  if (mode_ != ids::kModeDiary || controls_.diaryEditor->toPlainText().isEmpty()) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (HasModalResponder() || dialog.exec() != QDialog::Accepted) return;
  PrintDiaryTo(printer);
}

void CMainDlg::PrintDiaryTo(QPrinter& printer) const {
  // One inch on every side.
  printer.setPageMargins(QMarginsF(25.4, 25.4, 25.4, 25.4), QPageLayout::Millimeter);
  controls_.diaryEditor->document()->print(&printer);
}

QTextDocument::FindFlags CMainDlg::SearchFlags() const {
  QTextDocument::FindFlags flags;
  if (settings_.searchCase) flags |= QTextDocument::FindCaseSensitively;
  if (settings_.searchWholeWord) flags |= QTextDocument::FindWholeWords;
  return flags;
}

void CMainDlg::SelectSearchTerm(QTextEdit* editor) {
  const QString term = controls_.searchWords->text();
  if (term.isEmpty()) return;
  editor->moveCursor(QTextCursor::Start);
  editor->find(term, SearchFlags());
}

QColor CMainDlg::DiaryBackground() const {
  const std::int32_t c = settings_.diaryBackground;
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void CMainDlg::FindInText() {
  if (mode_ == ids::kModeSound) return;
  const QString term = controls_.searchWords->text();
  if (term.isEmpty()) return;
  const QTextDocument::FindFlags flags = SearchFlags();
  QTextEdit* editor = mode_ == ids::kModeDiary ? controls_.diaryEditor : controls_.reminderNote;
  if (editor->find(term, flags)) return;
  if (ThemedQuestion(QStringLiteral("Reached the end of the text. Continue from the beginning?"), settings_.theme,
                     this) != 1)
    return;
  editor->moveCursor(QTextCursor::Start);
  if (!editor->find(term, flags)) ThemedNotice(QStringLiteral("Not found!"), settings_.theme, this);
}

}  // namespace orlane
