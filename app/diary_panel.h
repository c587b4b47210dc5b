// The RichText Diary mode's work area: the font boxes and format buttons over
// the diary editor, the page's loading and saving, printing.
#pragma once

#include "app/work_panel.h"

#include <QColor>
#include <QString>

#include <memory>

class QComboBox;
class QPrinter;

namespace orlane {

class CConfigDlg;
class CRichDiaryCtrl;
class DaySession;
class SpellSession;

class DiaryPanel final : public WorkPanel {
  Q_OBJECT

 public:
  DiaryPanel(QWidget* client, PanelHost& host, int theme);
  ~DiaryPanel() override;
  Q_DISABLE_COPY_MOVE(DiaryPanel)

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;
  void ApplyTheme(int theme) override;
  // The dictionary is loaded when the diary is first shown.
  void SetShown(bool shown) override;

  CRichDiaryCtrl* Editor() const { return editor_; }
  QComboBox* FontSizeBox() const { return fontSize_; }

  // The session loaded a page into the editor's document: a page that cannot
  // be shown (completely) stays read-only and says why.
  void FollowPage(const DaySession& session);
  void ApplyBackground();
  // The font combos' selection (102, 103), and the toolbar following the caret.
  void OnFontCombo(int id);
  void SyncFormat();
  // The page on the printer the user picks; PrintTo prints it on a given one.
  void Print();
  void PrintTo(QPrinter& printer) const;
  // The spelling setting's value: "" follows the locale, "off", or a
  // language. Loads its dictionary (at once when the diary has been shown,
  // else when it is); SpellingProblem() says what went wrong.
  void ApplySpelling(const QString& choice);
  const QString& SpellingProblem() const { return spellingProblem_; }
  // The settings dialog's spelling page shows the panel's choice; after its
  // OK the choice is applied and kept in the additive settings file.
  void PrepareConfig(CConfigDlg& config) const;
  void TakeConfig(const CConfigDlg& config);
  // The shown day's diary, month, year or more as one book.
  void ExportDiary();

 private:
  QColor Background() const;
  void LoadSpelling();
  void ShowEmphasis(int id, bool on);

  CRichDiaryCtrl* editor_ = nullptr;
  QComboBox* fontName_ = nullptr;
  QComboBox* fontSize_ = nullptr;
  std::unique_ptr<SpellSession> spelling_;
  QString spellingChoice_;
  bool spellingLoaded_ = false;
  QString spellingProblem_;
};

}  // namespace orlane
