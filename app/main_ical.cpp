// The window's iCalendar commands: the export of a range of days to an .ics
// file, and the import of one into the folder through the window's store.
#include "app/main_dlg.h"

#include "app/day_session.h"
#include "app/main_deskleaf.h"
#include "controls/msg_box_dlg.h"
#include "ical/ical_export_dlg.h"
#include "ical/ical_folder.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "security/session.h"

#include <QDir>
#include <QFileDialog>

namespace orlane {

namespace {
// An iCalendar file larger than this is refused rather than read into memory.
constexpr qint64 kImportReadLimit = qint64(256) << 20;
}  // namespace

void CMainDlg::ExportIcalendar() {
  // The calendar holds what is on screen.
  if (!SaveLoadedDay()) return;
  const LocalDate shown = LocalDateOf(SelectedDate());
  CExportIcalDlg dialog(QDate(shown.year, shown.month, shown.day), CurrentPassword(), settings_.theme, this);
  dialog.exec();
}

void CMainDlg::ImportIcalendar() {
  const QString path = QFileDialog::getOpenFileName(this, QStringLiteral("Import iCalendar"), QDir::homePath(),
                                                    QStringLiteral("iCalendar files (*.ics *.ical);;All files (*)"));
  if (path.isEmpty() || !SaveLoadedDay()) return;
  QByteArray text;
  switch (ReadFileBytes(path, text, kImportReadLimit)) {
    case FileReadResult::Ok: break;
    case FileReadResult::TooLarge:
      ThemedNotice(QStringLiteral("%1 is too large to be a calendar.").arg(path), settings_.theme, this);
      return;
    default: ThemedNotice(QStringLiteral("%1 could not be read.").arg(path), settings_.theme, this); return;
  }
  const IcalReadResult read = ReadIcalItems(text);
  if (!read.isCalendar) {
    ThemedNotice(QStringLiteral("%1 is not an iCalendar file. Nothing was imported.").arg(path), settings_.theme, this);
    return;
  }
  IcalImportResult result = ImportIcalItems(*store_, read.items, CurrentPassword());
  result.skipped.insert(result.skipped.begin(), read.skipped.begin(), read.skipped.end());
  // The pages were written beside the session: the shown day takes them over.
  session_->refresh();
  RedrawCalendar();
  deskleaf_->RefreshReminders();
  ThemedNotice(IcalImportSummary(result), settings_.theme, this);
}

}  // namespace orlane
