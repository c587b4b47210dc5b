#include "dialogs/help_topic.h"

#include "controls/desktop_open.h"
#include "controls/msg_box_dlg.h"
#include "platform/app_paths.h"

#include <QFileInfo>

namespace orlane {

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
  return OpenOnDesktop(url);
}

}  // namespace orlane
