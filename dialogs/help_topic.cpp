#include "dialogs/help_topic.h"

#include "controls/msg_box_dlg.h"
#include "platform/app_paths.h"

#include <QDesktopServices>
#include <QFileInfo>

namespace orlane {

namespace {
HelpOpener& Opener() {
  static HelpOpener opener;
  return opener;
}
}  // namespace

QUrl HelpTopicUrl(const QString& topic) {
  if (topic.isEmpty() || topic.contains(QLatin1Char('/')) || topic.startsWith(QLatin1Char('.'))) return {};
  for (const QString& folder : ProgramDataFolders()) {
    const QFileInfo page(folder + QStringLiteral("help/") + topic);
    if (page.isFile()) return QUrl::fromLocalFile(page.absoluteFilePath());
  }
  return {};
}

bool OpenHelpTopic(const QString& topic, int theme, QWidget* parent) {
  const QUrl url = HelpTopicUrl(topic);
  if (url.isEmpty()) {
    ThemedNotice(QStringLiteral("The help page \"%1\" is not installed.").arg(topic), theme, parent);
    return false;
  }
  const HelpOpener& opener = Opener();
  return opener ? opener(url) : QDesktopServices::openUrl(url);
}

void SetHelpOpener(HelpOpener opener) {
  Opener() = std::move(opener);
}

}  // namespace orlane
