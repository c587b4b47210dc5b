// Where the program's files live: the program folder (the executable's folder),
// the user folder that holds every day file, the installed data folders, and the
// configuration folder. Every folder text ends in '/', so file names are appended
// directly.
#pragma once

#include <QString>
#include <QStringList>

namespace orlane {

// The running executable's folder, with a trailing '/'.
QString ProgramFolder();

// The user folder as a fresh start finds it: ORLANE_USER_DIR when set; else the
// program folder + "User/" when that folder exists already (a portable copy or a
// folder brought from another installation); else the XDG data folder's
// "orlane/User/". Nothing is created here.
QString ResolveUserFolder();

// The process-wide user folder (kept in the installed services), set once by
// start-up (or by a command-line option) and read by every part that names a
// day file.
QString UserFolder();
void SetUserFolder(const QString& folder);

// The files of the user folder besides the day files.
inline constexpr char kSettingsFileName[] = "Orlane.cfg";
inline constexpr char kUserFileName[] = "user.sav";
inline constexpr char kRecordingTempFileName[] = "rec.tmp";
inline constexpr char kWidgetSettingsFileName[] = "Deskleaf.cfg";

// User folder + name.
QString UserFilePath(const char* name);

// The data folder of an installed copy (<prefix>/share/orlane/ as seen from
// <prefix>/bin/), or an empty text for a portable copy or a build tree.
QString InstalledDataFolder();

// Folders searched for read-only program data (holiday files, skins, help):
// the program folder first, then the installed data folders.
QStringList ProgramDataFolders();

// Where files the program downloads or keeps for itself go when the program
// folder cannot be written: "~/.local/share/orlane/".
QString WritableDataFolder();

// "~/.config/" (XDG_CONFIG_HOME), with a trailing '/'.
QString ConfigFolder();

// A folder text with exactly one trailing '/'.
QString WithTrailingSlash(const QString& folder);

}  // namespace orlane
