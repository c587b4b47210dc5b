// The search panel under the calendar: the date range, the words, Search and
// Find, the filters and the result list of the days found.
#pragma once

#include "app/work_panel.h"

#include <QHash>
#include <QStringList>
#include <QTextDocument>

class QLineEdit;

namespace orlane {

class CColorListBox;

class SearchPanel final : public WorkPanel {
  Q_OBJECT

 public:
  SearchPanel(QWidget* client, PanelHost& host, int theme);

  bool OwnsCommand(int id) const override;
  void OnCommand(int id) override;
  void LayOut(const std::vector<ControlPlacement>& layout) override;
  // The filters follow the mode: "Actived" for reminders, "Has picture" for pages.
  void FollowMode(int mode);
  // The From and To pickers in the settings' date format and week start.
  void ApplyDateSettings(int dateFormat, int weekStart);

  QLineEdit* Words() const { return words_; }
  CColorListBox* Results() const { return results_; }
  QTextDocument::FindFlags Flags() const;
  void SelectTerm(QTextEdit* editor) const;

  // The listed days, to list them again in the date format now set; in date order.
  QStringList ResultKeys() const;
  void ListResults(const QStringList& dayKeys);
  void SearchDayFiles();
  void OpenResult(const QString& entry);

 private:
  void FindInText();

  QLineEdit* words_ = nullptr;
  CColorListBox* results_ = nullptr;
  int listedFormat_ = 0;              // the date format the entries are written in
  QHash<QString, QString> contexts_;  // day key -> the line of the page around the words
};

}  // namespace orlane
