// Backups of the whole user folder: one encrypted tar archive, written through
// a temporary file and renamed; verified by reading and authenticating every
// entry; restored only into an empty or new folder, through a temporary folder
// beside it that is renamed into place when every entry came through.
// Everything streams in chunks, so the size of the folder does not matter.
#pragma once

#include "backup/backup_crypto.h"
#include "backup/backup_header.h"
#include "backup/backup_tar.h"

#include <QString>

#include <functional>

namespace orlane {

// Called between chunks with the bytes done and the bytes to do; false cancels.
using BackupProgress = std::function<bool(qint64 done, qint64 total)>;

BackupReport CreateBackup(const QString& userFolder, const QString& file, QByteArrayView passphrase,
                          const BackupProgress& progress = {}, const BackupKdfCost& cost = DefaultBackupKdfCost());

// The same, for the automatic backups: sealed to the passphrase's public key,
// opened by VerifyBackup and RestoreBackup with the passphrase.
BackupReport CreateBackup(const QString& userFolder, const QString& file, const BackupPublicKey& key,
                          const BackupProgress& progress = {});

BackupReport VerifyBackup(const QString& file, QByteArrayView passphrase, const BackupProgress& progress = {});

// liveUserFolder is the user folder in use: folder may be neither it nor
// inside it.
BackupReport RestoreBackup(const QString& file, const QString& folder, const QString& liveUserFolder,
                           QByteArrayView passphrase, const BackupProgress& progress = {});

}  // namespace orlane
