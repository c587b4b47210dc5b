// The main window's side of the desk widget: it creates the widget (at
// start-up when the settings ask for it, and from "Show Deskleaf"), keeps it
// told of the theme, the date format, the week start, every saved day and
// every reminder file that changed on disk, and answers its requests (a new
// date, the main window, the exit). The widget deletes itself on "Close
// Deskleaf"; whatever is left of it goes with the main window.
#pragma once

#include <QObject>
#include <QPointer>

#include <ctime>

namespace orlane {

class CDeskleafDlg;
class CMainDlg;

class DeskleafLink final : public QObject {
  Q_OBJECT

 public:
  explicit DeskleafLink(CMainDlg& window);
  ~DeskleafLink() override;
  Q_DISABLE_COPY_MOVE(DeskleafLink)

  // Creates the widget when there is none or it is not shown; a shown widget stays as it is.
  void Show(int theme, int dateFormat, int weekStart, std::time_t date);
  // The widget goes away (it writes its settings file as it goes).
  void Close();

  // The main window saved a day and shows date now: the widget follows it.
  void FollowDay(std::time_t date);
  // Reminder files changed on disk.
  void RefreshReminders();
  // A day file was written or removed: the widget's calendar marks follow.
  void RedrawCalendar();
  void ApplySettings(int dateFormat, int weekStart);
  // The tray icon was clicked: the widget takes its place and stacking again.
  void Relayout();

  // The widget while it is there, else nullptr.
  CDeskleafDlg* Widget() const;

 private:
  void OpenMainWindow();

  CMainDlg& window_;
  QPointer<CDeskleafDlg> widget_;
};

}  // namespace orlane
