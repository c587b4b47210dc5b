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
#include "diary/rich_diary_ctrl.h"
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

void CMainDlg::ToggleFormatButton(int id) {
  CMacButton* b = controls_.button(id);
  if (!b || controls_.diaryEditor->isReadOnly()) return;
  b->SetVisualState(Pressed(controls_, id) ? CMacButton::kNormal : CMacButton::kPressed, true);
  OnDiaryCommand(id);
}

void CMainDlg::OnDiaryCommand(int id) {
  CRichDiaryCtrl* editor = controls_.diaryEditor;
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
    case ids::kInsertPicture: editor->InsertPicture(); return;
    case ids::kAttachFile: editor->InsertObjectFromFile({}); return;
    case ids::kDiarySaveAs:
      if (!editor->toPlainText().isEmpty()) editor->SaveRtf({});
      return;
    case ids::kDiaryImport: editor->ImportRtf({}); return;
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

void CMainDlg::PrintDiary() {
  if (mode_ != ids::kModeDiary || controls_.diaryEditor->toPlainText().isEmpty()) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  if (HasModalResponder() || dialog.exec() != QDialog::Accepted) return;
  PrintDiaryTo(printer);
}

void CMainDlg::PrintDiaryTo(QPrinter& printer) const { controls_.diaryEditor->PrintTo(printer); }

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
  CRichDiaryCtrl* editor = mode_ == ids::kModeDiary ? controls_.diaryEditor : controls_.reminderNote;
  editor->SetTheme(settings_.theme);
  editor->Find(term, flags, true);
}

}  // namespace orlane
