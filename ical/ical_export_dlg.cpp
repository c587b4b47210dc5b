#include "ical/ical_export_dlg.h"

#include "controls/day_range_fields.h"
#include "controls/mac_button.h"
#include "controls/mac_check_box.h"
#include "controls/msg_box_dlg.h"
#include "diary/diary_book.h"
#include "platform/file_io.h"
#include "security/edge_rect.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace orlane {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 232;
constexpr int kFieldsLeft = 90;

QString Outcome(const IcalExportResult& result, const QString& path) {
  const QString text = QStringLiteral("%1 reminders, %2 recurring reminders and %3 diary pages were written to %4.")
                           .arg(result.reminders)
                           .arg(result.series)
                           .arg(result.pages)
                           .arg(path);
  return text + LeftOutDaysText(result.otherPassword, result.unreadable);
}
}  // namespace

CExportIcalDlg::CExportIcalDlg(const QDate& shown, QByteArray password, int theme, QWidget* parent)
    : CWorkDialog(parent), shown_(shown), password_(std::move(password)) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Export to iCalendar"));
}

CExportIcalDlg::~CExportIcalDlg() {
  StopWork();
}

void CExportIcalDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  BuildControls(ClientSize().width());
  range_->Choose(CDayRangeFields::kEverything);
}

void CExportIcalDlg::BuildControls(int w) {
  range_ = new CDayRangeFields(shown_, {DayFileKind::Reminders, DayFileKind::Diary}, this);
  range_->Build(Client(), 38, kFieldsLeft, w - 20);
  diary_ = new CMacCheckBox(QStringLiteral("The diary pages too."), kDiaryId, Client());
  diary_->SetTheme(Theme());
  diary_->setGeometry(EdgeRect(kFieldsLeft, 94, w - 20, 112));
  diary_->show();
  auto* label = new QLabel(QStringLiteral("File:"), Client());
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setGeometry(EdgeRect(10, 122, kFieldsLeft - 10, 142));
  label->show();
  file_ = new QLineEdit(QDir::home().filePath(QStringLiteral("Orlane.ics")), Client());
  file_->setGeometry(EdgeRect(kFieldsLeft, 122, w - 50, 142));
  file_->show();
  label->setBuddy(file_);
  AddButton(QStringLiteral("..."), kBrowseId, EdgeRect(w - 45, 122, w - 20, 142));
  AddProgressBar(EdgeRect(20, 154, w - 20, 168));
  export_ = AddButton(QStringLiteral("&Export"), kExportId, EdgeRect(w - 160, 182, w - 95, 205));
  AddButton(QStringLiteral("&Cancel"), kCloseButtonId, EdgeRect(w - 85, 182, w - 20, 205));
  export_->setDefault(true);
}

QString CExportIcalDlg::OutPath() const {
  return QFileInfo(file_->text().trimmed()).absoluteFilePath();
}

void CExportIcalDlg::Browse() {
  const QString path = QFileDialog::getSaveFileName(this, QString(), file_->text(),
                                                    QStringLiteral("iCalendar files (*.ics);;All files (*)"));
  if (!path.isEmpty()) file_->setText(path);
}

void CExportIcalDlg::OnCommand(int id) {
  if (id == kExportId && !Running())
    Start();
  else if (id == kBrowseId && !Running())
    Browse();
  else
    CWorkDialog::OnCommand(id);
}

void CExportIcalDlg::EnableInput(bool on) {
  range_->SetEnabled(on);
  for (QWidget* w : std::initializer_list<QWidget*>{diary_, file_, export_}) w->setEnabled(on);
}

void CExportIcalDlg::Start() {
  if (file_->text().trimmed().isEmpty()) {
    ThemedNotice(QStringLiteral("Please name the file to write the calendar to."), Theme(), this);
    return;
  }
  const QString path = OutPath();
  if (QFileInfo::exists(path) && ThemedQuestion(QStringLiteral("%1 exists. Replace it?").arg(path), Theme(), this) != 1)
    return;
  IcalExportRequest request;
  request.fromKey = range_->FromKey();
  request.toKey = range_->ToKey();
  request.diary = diary_->Checked();
  request.password = password_;
  EnableInput(false);
  written_ = false;
  StartWork([this, request, path](const Progress& progress) {
    ReminderStore store;  // the files as the window saved them, read on this thread
    result_ = CollectIcalItems(store, request, [&progress](int done, int total) { return progress(done, total); });
    if (result_.cancelled) return;
    written_ = AtomicWriteFile(path, IcalCalendarText(result_.items)) == WriteResult::Written;
    if (!written_) failure_ = LastFileError();
  });
}

void CExportIcalDlg::WorkFinished() {
  if (result_.cancelled) {
    done(QDialog::Rejected);
    return;
  }
  if (!written_) {
    ThemedNotice(QStringLiteral("The calendar could not be written to %1: %2").arg(OutPath(), failure_), Theme(), this);
    EnableInput(true);
    return;
  }
  ThemedNotice(Outcome(result_, OutPath()), Theme(), this);
  done(QDialog::Accepted);
}

}  // namespace orlane
