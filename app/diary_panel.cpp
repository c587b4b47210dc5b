#include "app/diary_panel.h"

#include "app/day_session.h"
#include "app/main_ids.h"
#include "controls/mac_button.h"
#include "controls/modal_responder.h"
#include "controls/msg_box_dlg.h"
#include "days/day_files.h"
#include "days/extra_settings.h"
#include "days/settings_file.h"
#include "dialogs/config_dlg.h"
#include "diary/export_diary_dlg.h"
#include "diary/font_sizes.h"
#include "diary/personal_words.h"
#include "diary/rich_diary_ctrl.h"
#include "diary/spell_session.h"
#include "platform/app_paths.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/spell_dictionaries.h"
#include "security/session.h"

#include <QAction>
#include <QColorDialog>
#include <QComboBox>
#include <QFontDatabase>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QSignalBlocker>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>

namespace orlane {

namespace {
constexpr ButtonEntry kDiaryButtons[] = {
    {ids::kBold, "", 152, "Bold"},
    {ids::kItalic, "", 153, "Italic"},
    {ids::kUnderline, "", 154, "Underline"},
    {ids::kAlignLeft, "", 143, "Align Left"},
    {ids::kAlignCenter, "", 144, "Align Center"},
    {ids::kAlignRight, "", 145, "Align Right"},
    {ids::kInsertPicture, "", 151, "Insert a picture"},
    {ids::kAttachFile, "", 315, "Attach a file"},
    {ids::kFontColor, "", 155, "Font Color"},
    {ids::kBackgroundColor, "", 172, "Background Color"},
    {ids::kDiarySaveAs, "", 253, "Save As..."},
    {ids::kDiaryImport, "", 261, "Import"},
};

void MergeFormat(QTextEdit* editor, const QTextCharFormat& format) {
  QTextCursor cursor = editor->textCursor();
  cursor.mergeCharFormat(format);
  editor->mergeCurrentCharFormat(format);
}

void FillFontCombos(QComboBox* name, QComboBox* size) {
  QStringList families = QFontDatabase::families();
  if (!families.contains(QStringLiteral("Tahoma"))) families << QStringLiteral("Tahoma");
  families.sort(Qt::CaseInsensitive);
  name->addItems(families);
  name->setCurrentText(QStringLiteral("Tahoma"));
  for (int points : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 30}) size->addItem(QString::number(points));
  size->setCurrentText(QStringLiteral("9"));
}

constexpr char kSpellLanguageKey[] = "spell_language";

QString StoredSpellingChoice() {
  ExtraSettings extra;
  ReadExtraSettingsFile(UserFilePath(kExtraSettingsFileName), extra);
  return extra.text(QLatin1String(kSpellLanguageKey));
}

// Read afresh: what another writer stored meanwhile stays.
WriteResult StoreSpellingChoice(const QString& choice) {
  const QString path = UserFilePath(kExtraSettingsFileName);
  ExtraSettings extra;
  if (ReadExtraSettingsFile(path, extra) == ExtraSettingsReadResult::Unreadable) return WriteResult::Failed;
  const ExtraSettings before = extra;
  if (!extra.set(QLatin1String(kSpellLanguageKey), choice)) return WriteResult::Failed;
  if (extra == before) return WriteResult::Written;
  return WriteExtraSettingsFile(path, extra);
}
}  // namespace

DiaryPanel::DiaryPanel(QWidget* client, PanelHost& host, int theme) : WorkPanel(host, client) {
  fontName_ = controls_.Add(ids::kFontName, new QComboBox(client));
  fontSize_ = controls_.Add(ids::kFontSize, new QComboBox(client));
  FillFontCombos(fontName_, fontSize_);
  for (const ButtonEntry& s : kDiaryButtons) {
    // Formatting acts on the editor's selection: the editor keeps the focus.
    controls_.AddButton(client, s, theme)->setFocusPolicy(Qt::NoFocus);
  }
  for (int id : {ids::kBold, ids::kItalic, ids::kUnderline}) {
    controls_.button(id)->SetToggleMode(CMacButton::kToggleMode);
    host.CommandAction(id)->setCheckable(true);
  }
  for (int id : {ids::kAlignLeft, ids::kAlignCenter, ids::kAlignRight})
    controls_.button(id)->SetToggleMode(CMacButton::kLatchMode);
  editor_ = controls_.Add(ids::kDiaryEditor, new CRichDiaryCtrl(client));
  spellingChoice_ = StoredSpellingChoice();
  connect(fontName_, &QComboBox::activated, this, [this] { OnFontCombo(ids::kFontName); });
  connect(fontSize_, &QComboBox::activated, this, [this] { OnFontCombo(ids::kFontSize); });
  connect(
      editor_, &QTextEdit::cursorPositionChanged, this, [this] { SyncFormat(); }, Qt::QueuedConnection);
}

// The editor and its highlighter hold the session weakly: either may go first.
DiaryPanel::~DiaryPanel() = default;

bool DiaryPanel::OwnsCommand(int id) const {
  if (id == ids::kPrint || id == ids::kExportDiary || (id >= ids::kEditorMenuFirst && id <= ids::kEditorMenuLast))
    return true;
  for (const ButtonEntry& s : kDiaryButtons)
    if (s.id == id) return true;
  return false;
}

void DiaryPanel::FollowPage(const DaySession& session) {
  editor_->RecheckSpelling();  // the page came in with the document's signals blocked
  if (editor_->document()->isEmpty()) {
    // An empty page starts plain: the caret keeps no format of the day before.
    const QSignalBlocker block(editor_);
    editor_->setCurrentCharFormat(QTextCharFormat());
  }
  QString notice;
  if (session.pageIncomplete())
    notice = QStringLiteral("This page could not be read completely. It is kept as it is.");
  else if (session.pageState() == DiaryPageState::OtherPassword)
    notice = QStringLiteral("This page was written under another password. It is kept as it is.");
  else if (session.pageState() == DiaryPageState::Unreadable)
    notice = QStringLiteral("This page cannot be read. It is kept as it is.");
  editor_->setReadOnly(!notice.isEmpty());
  editor_->setPlaceholderText(notice);
  editor_->setToolTip(notice);
}

void DiaryPanel::OnCommand(int id) {
  if (id >= ids::kEditorMenuFirst && id <= ids::kEditorMenuLast) return editor_->OnCommand(id);
  if (id == ids::kPrint) return Print();
  if (id == ids::kExportDiary) return ExportDiary();
  const auto pressed = [this](int button) {
    return controls_.button(button)->GetVisualState() == CMacButton::kPressed;
  };
  if (editor_->isReadOnly() && id != ids::kDiarySaveAs) {
    SyncFormat();  // a key may have switched an emphasis button
    return;
  }
  QTextCharFormat format;
  switch (id) {
    case ids::kBold: format.setFontWeight(pressed(id) ? QFont::Bold : QFont::Normal); break;
    case ids::kItalic: format.setFontItalic(pressed(id)); break;
    case ids::kUnderline: format.setFontUnderline(pressed(id)); break;
    case ids::kAlignLeft:
    case ids::kAlignCenter:
    case ids::kAlignRight: {
      for (int other : {ids::kAlignLeft, ids::kAlignCenter, ids::kAlignRight})
        if (other != id) controls_.button(other)->SetVisualState(CMacButton::kNormal, true);
      editor_->setAlignment(id == ids::kAlignLeft     ? Qt::AlignLeft
                            : id == ids::kAlignCenter ? Qt::AlignHCenter
                                                      : Qt::AlignRight);
      return;
    }
    case ids::kFontColor: {
      const QColor c = QColorDialog::getColor(editor_->textColor(), host_.Window());
      if (!c.isValid()) return;
      format.setForeground(c);
      break;
    }
    case ids::kBackgroundColor: {
      const QColor c = QColorDialog::getColor(Background(), host_.Window());
      if (!c.isValid()) return;
      host_.RunningSettings().diaryBackground = c.red() | (c.green() << 8) | (c.blue() << 16);
      ApplyBackground();
      return;
    }
    case ids::kInsertPicture: editor_->InsertPicture(); return;
    case ids::kAttachFile: editor_->InsertObjectFromFile({}); return;
    case ids::kDiarySaveAs:
      if (!editor_->toPlainText().isEmpty()) editor_->SaveRtf({});
      return;
    case ids::kDiaryImport: editor_->ImportRtf({}); return;
    default: return;
  }
  MergeFormat(editor_, format);
}

void DiaryPanel::OnFontCombo(int id) {
  QTextCharFormat format;
  if (id == ids::kFontName) {
    format.setFontFamilies({fontName_->currentText()});
  } else {
    const int twips = ComboSizeToTwips(fontSize_->currentText().toInt());
    format.setFontPointSize(TwipsToPoints(twips));
  }
  MergeFormat(editor_, format);
  // The next keys are text for the page, not a search in the box.
  editor_->setFocus(Qt::OtherFocusReason);
}

void DiaryPanel::ShowEmphasis(int id, bool on) {
  controls_.button(id)->SetVisualState(on ? CMacButton::kPressed : CMacButton::kNormal, true);
  if (QAction* action = host_.CommandAction(id); action->isCheckable()) {
    QSignalBlocker block(action);
    action->setChecked(on);
  }
}

void DiaryPanel::SyncFormat() {
  const QTextCharFormat f = editor_->currentCharFormat();
  {
    QSignalBlocker blockSize(fontSize_);
    const double points = f.fontPointSize() > 0 ? f.fontPointSize() : editor_->font().pointSizeF();
    fontSize_->setCurrentText(QString::number(TwipsToComboSize(PointsToTwips(points))));
  }
  {
    QSignalBlocker blockName(fontName_);
    const QStringList families = f.fontFamilies().toStringList();
    if (!families.isEmpty()) fontName_->setCurrentText(families.first());
  }
  ShowEmphasis(ids::kBold, f.fontWeight() >= QFont::Bold);
  ShowEmphasis(ids::kItalic, f.fontItalic());
  ShowEmphasis(ids::kUnderline, f.fontUnderline());
  const Qt::Alignment a = editor_->alignment();
  ShowEmphasis(ids::kAlignCenter, a & Qt::AlignHCenter);
  ShowEmphasis(ids::kAlignRight, a & Qt::AlignRight);
  ShowEmphasis(ids::kAlignLeft, !(a & (Qt::AlignHCenter | Qt::AlignRight)));  // justified counts as left
}

QColor DiaryPanel::Background() const {
  const std::int32_t c = host_.RunningSettings().diaryBackground;
  return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

void DiaryPanel::ApplyBackground() {
  QPalette p = editor_->palette();
  p.setColor(QPalette::Base, Background());
  editor_->setPalette(p);
}

void DiaryPanel::Print() {
  if (host_.Mode() != ids::kModeDiary || editor_->toPlainText().isEmpty()) return;
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, host_.Window());
  if (ExecForeignDialog(dialog) != QDialog::Accepted) return;
  PrintTo(printer);
}

void DiaryPanel::PrintTo(QPrinter& printer) const {
  editor_->PrintTo(printer);
}

void DiaryPanel::ApplyTheme(int theme) {
  WorkPanel::ApplyTheme(theme);
  editor_->SetTheme(theme);
}

void DiaryPanel::SetShown(bool shown) {
  WorkPanel::SetShown(shown);
  if (shown && !spellingLoaded_) LoadSpelling();
}

void DiaryPanel::ApplySpelling(const QString& choice) {
  if (choice == spellingChoice_ && spellingLoaded_) return;
  spellingChoice_ = choice;
  if (spellingLoaded_) LoadSpelling();
}

void DiaryPanel::LoadSpelling() {
  spellingLoaded_ = true;
  editor_->SetSpellSession(nullptr);
  spelling_.reset();
  spellingProblem_.clear();
  const std::optional<SpellDictionary> dictionary =
      PickSpellDictionary(InstalledSpellDictionaries(), spellingChoice_, QLocale::system().name());
  if (!dictionary) return;  // the settings dialog says why
  spelling_ = std::make_unique<SpellSession>(*dictionary, PersonalWordsPath());
  if (!spelling_->isValid()) {
    spellingProblem_ = spelling_->why();
    spelling_.reset();
    return;
  }
  editor_->SetSpellSession(spelling_.get());
}

void DiaryPanel::PrepareConfig(CConfigDlg& config) const {
  config.SetSpelling(spellingChoice_, spellingProblem_);
}

void DiaryPanel::TakeConfig(const CConfigDlg& config) {
  const QString& choice = config.spellingChoice();
  if (choice != spellingChoice_ && StoreSpellingChoice(choice) != WriteResult::Written)
    ThemedNotice(QStringLiteral("The spelling setting could not be saved to %1: %2")
                     .arg(UserFilePath(kExtraSettingsFileName), LastFileError()),
                 host_.RunningSettings().theme, host_.Window());
  ApplySpelling(choice);
}

void DiaryPanel::ExportDiary() {
  // The book holds the page as it is on screen.
  if (!host_.SaveShownDay()) return;
  const LocalDate shown = LocalDateOf(host_.ShownDate());
  const QDate date(shown.year, shown.month, shown.day);
  CExportDiaryDlg dialog(date, CurrentPassword(), host_.RunningSettings().theme, host_.Window());
  dialog.exec();
}

}  // namespace orlane
