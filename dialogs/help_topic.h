// Opening a page of the program's HTML help ("help/<topic>" in the program's
// data folders) with the desktop's browser (controls/desktop_open.h).
#pragma once

#include <QString>
#include <QUrl>

class QWidget;

namespace orlane {

// The help pages, one per topic the program opens.
namespace help {
inline constexpr char kIndex[] = "index.htm";
inline constexpr char kReminders[] = "alarm.htm";
inline constexpr char kDiary[] = "rich.htm";
inline constexpr char kSoundDiary[] = "rec.htm";
inline constexpr char kLogin[] = "login.htm";
inline constexpr char kChangePassword[] = "changepass.htm";
inline constexpr char kConfig[] = "Config.htm";
inline constexpr char kBackup[] = "backup.htm";
inline constexpr char kExportDiary[] = "export.htm";
inline constexpr const char* kAllTopics[] = {kIndex,          kReminders, kDiary,  kSoundDiary, kLogin,
                                             kChangePassword, kConfig,    kBackup, kExportDiary};
}  // namespace help

// The page's address, or an empty one when no data folder holds it.
QUrl HelpTopicUrl(const QString& topic);

// Opens the page; a missing page is told in a themed notice. true when opened.
bool OpenHelpTopic(const QString& topic, int theme, QWidget* parent = nullptr);

}  // namespace orlane
