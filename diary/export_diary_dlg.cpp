#include "diary/export_diary_dlg.h"

#include "controls/day_range_fields.h"
#include "controls/mac_button.h"
#include "controls/msg_box_dlg.h"
#include "days/day_files.h"
#include "security/edge_rect.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace orlane {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 262;
constexpr BookFormat kFormats[] = {BookFormat::Markdown, BookFormat::Html, BookFormat::Pdf, BookFormat::Text};

QString Outcome(const DiaryBookResult& result, const QString& path) {
  QString text;
  switch (result.status) {
    case BookStatus::NoPages: return QStringLiteral("There are no diary pages on these days.");
    case BookStatus::WriteFailed:
      return QStringLiteral("The diary could not be written to %1: %2").arg(result.failedPath, result.failure);
    case BookStatus::Cancelled: return {};
    case BookStatus::Written:
      text = QStringLiteral("%1 pages of the diary were written to %2.").arg(result.pages).arg(path);
      break;
  }
  return text + LeftOutDaysText(result.otherPassword, result.unreadable);
}
}  // namespace

CExportDiaryDlg::CExportDiaryDlg(const QDate& shown, QByteArray password, int theme, QWidget* parent)
    : CWorkDialog(parent), shown_(shown), password_(std::move(password)) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Export diary"));
}

CExportDiaryDlg::~CExportDiaryDlg() {
  StopWork();
}

void CExportDiaryDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  BuildControls(ClientSize().width());
  range_->Choose(CDayRangeFields::kShownMonth);
}

void CExportDiaryDlg::BuildControls(int w) {
  const auto label = [this](const QString& text, int top) {
    auto* l = new QLabel(text, Client());
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setGeometry(EdgeRect(10, top, 80, top + 20));
    l->show();
  };
  const auto list = [this, w](int top, const QStringList& items) {
    auto* combo = new QComboBox(Client());
    combo->addItems(items);
    combo->setGeometry(90, top, w - 20 - 90, 20);
    combo->show();
    return combo;
  };
  range_ = new CDayRangeFields(shown_, {DayFileKind::Diary}, this);
  range_->Build(Client(), 38, 90, w - 20);
  label(QStringLiteral("Format:"), 94);
  format_ = list(94, {QStringLiteral("Markdown (.md)"), QStringLiteral("HTML (.html)"), QStringLiteral("PDF (.pdf)"),
                      QStringLiteral("Text (.txt)")});
  label(QStringLiteral("Order:"), 122);
  order_ = list(122, {QStringLiteral("Oldest first"), QStringLiteral("Newest first")});
  label(QStringLiteral("File:"), 150);
  file_ = new QLineEdit(QDir::home().filePath(QStringLiteral("Diary.md")), Client());
  file_->setGeometry(90, 150, w - 20 - 90 - 30, 20);
  file_->show();
  AddButton(QStringLiteral("..."), kBrowseId, EdgeRect(w - 45, 150, w - 20, 170));
  AddProgressBar(EdgeRect(20, 184, w - 20, 198));
  export_ = AddButton(QStringLiteral("&Export"), kExportId, EdgeRect(w - 160, 212, w - 95, 235));
  AddButton(QStringLiteral("&Cancel"), kCloseButtonId, EdgeRect(w - 85, 212, w - 20, 235));
  export_->setDefault(true);
  connect(format_, &QComboBox::currentIndexChanged, this, &CExportDiaryDlg::FollowFormat);
}

void CExportDiaryDlg::FollowFormat() {
  const QFileInfo file(file_->text());
  const QString suffix = QLatin1String(BookFormatSuffix(kFormats[std::max(0, format_->currentIndex())]));
  file_->setText(file.dir().filePath(file.completeBaseName() + QLatin1Char('.') + suffix));
}

void CExportDiaryDlg::Browse() {
  const QString path = QFileDialog::getSaveFileName(this, QString(), file_->text());
  if (!path.isEmpty()) file_->setText(path);
}

DiaryBookRequest CExportDiaryDlg::Request() const {
  DiaryBookRequest request;
  request.fromKey = range_->FromKey();
  request.toKey = range_->ToKey();
  request.format = kFormats[std::max(0, format_->currentIndex())];
  request.order = order_->currentIndex() == 1 ? BookOrder::NewestFirst : BookOrder::OldestFirst;
  request.outPath = QFileInfo(file_->text()).absoluteFilePath();
  request.password = password_;
  return request;
}

void CExportDiaryDlg::OnCommand(int id) {
  if (id == kExportId && !Running())
    Start();
  else if (id == kBrowseId && !Running())
    Browse();
  else
    CWorkDialog::OnCommand(id);
}

void CExportDiaryDlg::EnableInput(bool on) {
  range_->SetEnabled(on);
  for (QWidget* w : std::initializer_list<QWidget*>{format_, order_, file_, export_}) w->setEnabled(on);
}

void CExportDiaryDlg::Start() {
  if (file_->text().trimmed().isEmpty()) {
    ThemedNotice(QStringLiteral("Please name the file to write the diary to."), Theme(), this);
    return;
  }
  const DiaryBookRequest request = Request();
  EnableInput(false);
  StartWork([this, request](const Progress& progress) {
    result_ = WriteDiaryBook(request, [&progress](int done, int total) { return progress(done, total); });
  });
}

void CExportDiaryDlg::WorkFinished() {
  const QString text = Outcome(result_, Request().outPath);
  if (!text.isEmpty()) ThemedNotice(text, Theme(), this);
  if (result_.status == BookStatus::Written || result_.status == BookStatus::Cancelled) {
    done(result_.status == BookStatus::Written ? QDialog::Accepted : QDialog::Rejected);
    return;
  }
  EnableInput(true);
}

}  // namespace orlane
