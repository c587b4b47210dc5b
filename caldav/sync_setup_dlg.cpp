#include "caldav/sync_setup_dlg.h"

#include "caldav/sync_state.h"
#include "controls/mac_button.h"
#include "controls/msg_box_dlg.h"
#include "security/edge_rect.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>

namespace orlane {

namespace {
constexpr int kWidth = 380;
constexpr int kHeight = 250;
constexpr int kFieldsLeft = 110;
constexpr int kRowStep = 28;
}  // namespace

CSyncSetupDlg::CSyncSetupDlg(int theme, QWidget* parent) : CThemedDialog(parent) {
  SetTheme(theme);
  setWindowTitle(QStringLiteral("Calendar server"));
}

void CSyncSetupDlg::OnInitDialog() {
  resize(kWidth, kHeight);
  CenterWindow();
  CThemedDialog::OnInitDialog();
  const int w = ClientSize().width();
  int top = 38;
  const auto row = [this, w, &top](const QString& text) {
    auto* label = new QLabel(text, Client());
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setGeometry(EdgeRect(10, top, kFieldsLeft - 10, top + 20));
    label->show();
    auto* edit = new QLineEdit(Client());
    edit->setGeometry(EdgeRect(kFieldsLeft, top, w - 20, top + 20));
    edit->show();
    label->setBuddy(edit);
    top += kRowStep;
    return edit;
  };
  server_ = row(QStringLiteral("Server:"));
  user_ = row(QStringLiteral("User name:"));
  password_ = row(QStringLiteral("Password:"));
  password_->setEchoMode(QLineEdit::Password);
  calendar_ = row(QStringLiteral("Calendar:"));
  server_->setPlaceholderText(QStringLiteral("https://calendar.example.org/"));
  calendar_->setPlaceholderText(QStringLiteral("the account's first calendar"));
  outcome_ = new QLabel(Client());
  outcome_->setWordWrap(true);
  outcome_->setGeometry(EdgeRect(20, top, w - 20, top + 34));
  outcome_->show();
  test_ = AddButton(QStringLiteral("&Test connection"), kTestId, EdgeRect(20, 212, 140, 235));
  ok_ = AddButton(QStringLiteral("&OK"), 1, EdgeRect(w - 160, 212, w - 95, 235));
  AddButton(QStringLiteral("&Cancel"), kCloseButtonId, EdgeRect(w - 85, 212, w - 20, 235));
  // Enter stays with OK, also after the test had the focus.
  test_->setAutoDefault(false);
  ok_->setDefault(true);

  SyncState state;
  if (LoadSyncState(SyncStateFilePath(), state) == SyncStateLoad::Ok) {
    server_->setText(state.server);
    user_->setText(state.user);
    calendar_->setText(state.calendarName);
  }
  (server_->text().isEmpty() ? server_ : password_)->setFocus(Qt::OtherFocusReason);
}

QString CSyncSetupDlg::Password() const {
  return password_ ? password_->text() : QString();
}

void CSyncSetupDlg::OnCommand(int id) {
  if (id == kTestId && !running_)
    Run(false);
  else if (id == 1 && !running_)
    Run(true);
  else if (id != 1 && id != kTestId)
    CThemedDialog::OnCommand(id);
}

void CSyncSetupDlg::EnableInput(bool on) {
  for (QWidget* w : std::initializer_list<QWidget*>{server_, user_, password_, calendar_, test_, ok_})
    w->setEnabled(on);
}

void CSyncSetupDlg::Run(bool keep) {
  QString why;
  const QUrl server = ServerUrlFromText(server_->text().trimmed(), &why);
  if (server.isEmpty()) {
    outcome_->setText(why);
    return;
  }
  if (user_->text().trimmed().isEmpty()) {
    outcome_->setText(QStringLiteral("Please type the user name of the account."));
    return;
  }
  running_ = true;
  EnableInput(false);
  outcome_->setText(QStringLiteral("Asking %1 ...").arg(server.host()));
  if (!caldav_) caldav_ = new CalDavCalendar(this);
  const QPointer<CSyncSetupDlg> self(this);
  SetUpSync(*caldav_, {server, user_->text().trimmed(), password_->text(), calendar_->text().trimmed()}, keep,
            [self, keep](const SyncSetupResult& result) {
              if (self) self->Finished(result, keep);
            });
}

void CSyncSetupDlg::Finished(const SyncSetupResult& result, bool keep) {
  running_ = false;
  EnableInput(true);
  if (!result.ok) {
    outcome_->setText(result.error);
    return;
  }
  outcome_->setText(QStringLiteral("Found the calendar \"%1\".").arg(result.displayName));
  if (!keep) return;
  if (!result.keyringError.isEmpty())
    ThemedNotice(QStringLiteral("The password could not be kept in the desktop's keyring (%1). "
                                "The program asks for it once each time it starts.")
                     .arg(result.keyringError),
                 Theme(), this);
  accept();
}

}  // namespace orlane
