// The day cycle without a window: what the session loads, saves, merges,
// keeps after a failed save, writes as a recovery copy and restores.
#include "app/day_session.h"
#include "days/day_files.h"
#include "platform/local_time.h"
#include "platform/services.h"
#include "reminders/reminder_store.h"
#include "security/scramble.h"
#include "security/session.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTextCursor>

using namespace orlane;

namespace {
const std::time_t kDay = MakeLocalTime(2006, 1, 2, 0, 0, 10);
const std::time_t kNextDay = MakeLocalTime(2006, 1, 3, 0, 0, 10);
const QString kKey = QStringLiteral("07d60102");

struct SessionTest : ::testing::Test {
  test::TempUserFolder folder;
  ReminderStore store;
  DaySession session{store};
  SessionTest() {
    SetCurrentPassword("pw");
    session.select(kDay);
    session.load();
  }
  ~SessionTest() override { SetCurrentPassword({}); }
  void type(const QString& text) { QTextCursor(session.page()).insertText(text); }
  ReminderMap onDisk(const QString& key = kKey) {
    ReminderMap map;
    LoadReminderDay(DayFilePath(key, DayFileKind::Reminders), map);
    return map;
  }
};
}  // namespace

TEST_F(SessionTest, editsAreSavedOnceAndAnOutsideWriteIsMergedNotLost) {
  QSignalSpy loaded(&session, &DaySession::dayLoaded);
  type(QStringLiteral("Dear diary"));
  store.setReminder(kKey, "08:00:00", "<Alarm is active>\r\nmine");
  // Another writer adds a reminder to the same day meanwhile.
  ASSERT_EQ(SaveReminderDay(DayFilePath(kKey, DayFileKind::Reminders), {{"09:00:00", "\r\ntheirs"}}),
            WriteResult::Written);
  const DaySaveResult saved = session.save();
  EXPECT_TRUE(saved.diaryWritten && saved.remindersWritten && saved.remindersMerged);
  EXPECT_EQ(onDisk(), (ReminderMap{{"08:00:00", "<Alarm is active>\r\nmine"}, {"09:00:00", "\r\ntheirs"}}));
  EXPECT_FALSE(session.page()->isModified());
  const QByteArray page = folder.read(kKey + QStringLiteral(".dia"));

  // Nothing changed: a second save writes nothing.
  const DaySaveResult again = session.save();
  EXPECT_FALSE(again.diaryWritten || again.remindersWritten);
  EXPECT_EQ(folder.read(kKey + QStringLiteral(".dia")), page);

  // An outside change of the page while the session holds it unedited is taken over.
  folder.write(kKey + QStringLiteral(".dia"), WrapWithPasswordHeader("{\\rtf1 from the command line}", "pw"));
  QSignalSpy replaced(&session, &DaySession::pageReplaced);
  session.refresh();
  EXPECT_EQ(replaced.count(), 1);
  EXPECT_EQ(session.page()->toPlainText(), QStringLiteral("from the command line"));
  EXPECT_EQ(loaded.count(), 0);
}

TEST_F(SessionTest, aFailedSaveKeepsTheEditsAndTheDayUntilTheUserLeavesIt) {
  type(QStringLiteral("kept"));
  store.setReminder(kKey, "08:00:00", "\r\nkept too");
  {
    const ScopedService failing(&Services::failWriteStep,
                                std::function<bool(AtomicWriteStep)>([](AtomicWriteStep) { return true; }));
    EXPECT_TRUE(session.save().failed);
    EXPECT_FALSE(session.changeDate(kNextDay, [](const DaySaveResult&) { return false; }));
  }
  EXPECT_EQ(session.dayKey(), kKey);
  EXPECT_TRUE(session.page()->isModified());
  EXPECT_TRUE(store.isModified(kKey));
  EXPECT_FALSE(folder.exists(kKey + QStringLiteral(".alm")));
  // The next try writes everything, and the date changes.
  EXPECT_TRUE(session.changeDate(kNextDay, {}));
  EXPECT_EQ(session.dayKey(), QStringLiteral("07d60103"));
  EXPECT_EQ(onDisk(kKey).at("08:00:00"), "\r\nkept too");
  EXPECT_TRUE(session.page()->toPlainText().isEmpty());
}

TEST_F(SessionTest, theRecoveryCopyHoldsTheUnsavedEditsAndBringsThemBack) {
  type(QStringLiteral("not saved yet"));
  store.setReminder(kKey, "07:00:00", "\r\nnot saved either");
  session.writeRecovery();
  // A crash: a new session of the same folder finds the copy.
  ReminderStore otherStore;
  DaySession restarted{otherStore};
  restarted.select(kDay);
  restarted.load();
  const std::optional<RecoveryState> offer = restarted.recoveryToOffer();
  ASSERT_TRUE(offer);
  EXPECT_EQ(offer->dayKey, kKey);
  restarted.restore(*offer);
  EXPECT_EQ(restarted.page()->toPlainText(), QStringLiteral("not saved yet"));
  EXPECT_TRUE(restarted.page()->isModified());
  EXPECT_EQ(otherStore.day(kKey).at("07:00:00"), "\r\nnot saved either");
  EXPECT_FALSE(folder.exists(kKey + QStringLiteral(".dia")));  // still edits, not files
  EXPECT_FALSE(restarted.save().failed);
  EXPECT_FALSE(restarted.recoveryToOffer());  // a save that worked drops the copy
  EXPECT_EQ(onDisk().at("07:00:00"), "\r\nnot saved either");
}

TEST_F(SessionTest, aDamagedReminderFileIsToldOnceAndKept) {
  const QByteArray damaged = Scrambled(SerializeReminderDay({{"08:00:00", "\r\na"}, {"09:00:00", "\r\nb"}}).chopped(2));
  folder.write(QStringLiteral("07d60103.alm"), damaged);
  QSignalSpy told(&session, &DaySession::remindersDamaged);
  ASSERT_TRUE(session.changeDate(kNextDay, {}));
  ASSERT_TRUE(session.changeDate(kDay, {}));
  ASSERT_TRUE(session.changeDate(kNextDay, {}));
  EXPECT_EQ(told.count(), 1);
  EXPECT_EQ(store.day(QStringLiteral("07d60103")).size(), 1u);
  EXPECT_EQ(folder.read(QStringLiteral("07d60103.alm")), damaged);
}
