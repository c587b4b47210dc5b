// The RichText Diary mode's work area: the font boxes and format buttons over
// the diary editor, the page's loading and saving, printing.
#pragma once

#include "app/main_panel.h"

#include <QColor>

class QComboBox;
class QPrinter;

namespace orlane {

class CRichDiaryCtrl;
class DaySession;

class DiaryPanel final : public MainPanel {
  Q_OBJECT

 public:
  DiaryPanel(QWidget* client, PanelHost& host, int theme);

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;

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

 private:
  QColor Background() const;
  void ShowEmphasis(int id, bool on);

  CRichDiaryCtrl* editor_ = nullptr;
  QComboBox* fontName_ = nullptr;
  QComboBox* fontSize_ = nullptr;
};

}  // namespace orlane
