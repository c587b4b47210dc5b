#include "app/day_store.h"
#include "days/day_files.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/services.h"
#include "reminders/reminder_day.h"
#include "security/scramble.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

namespace {
const QString kKey = QStringLiteral("07d60102");
QString Dia() {
  return kKey + QStringLiteral(".dia");
}
QString Alm() {
  return kKey + QStringLiteral(".alm");
}

// A page the user edited.
DayContent Page(const QByteArray& rtf, ReminderMap reminders = {}) {
  return DayContent{true, rtf.isEmpty(), rtf, std::move(reminders)};
}

void Page(const test::TempUserFolder& f, const char* key, const QByteArray& rtf, const QByteArray& password) {
  f.write(QLatin1String(key) + QStringLiteral(".dia"), WrapWithPasswordHeader(rtf, password));
}
}  // namespace

TEST(DayStore, savedPageAndRemindersLoadBackUnderThePassword) {
  test::TempUserFolder folder;
  LoadedDay empty = LoadDay(kKey, "pw");
  LoadedDay before = empty;
  EXPECT_EQ(empty.diary, DiaryPageState::None);
  EXPECT_EQ(empty.remindersResult, ReminderLoadResult::Missing);

  const DaySaveResult saved =
      SaveDay(before, Page("{\\rtf1 dear diary}", {{"08:30:00", "<Alarm is active>\r\nHi"}}), "pw");
  EXPECT_TRUE(saved.diaryWritten);
  EXPECT_TRUE(saved.remindersWritten);
  EXPECT_FALSE(saved.failed);
  EXPECT_EQ(CheckPasswordHeader(folder.read(Dia()), "pw"), PasswordHeaderCheck::Matches);

  const LoadedDay back = LoadDay(kKey, "pw");
  EXPECT_EQ(back.diary, DiaryPageState::Shown);
  EXPECT_EQ(back.diaryRtf, "{\\rtf1 dear diary}");
  EXPECT_EQ(back.reminders.size(), 1u);
}

TEST(DayStore, emptiedDayDeletesBothFiles) {
  test::TempUserFolder folder;
  LoadedDay day = LoadDay(kKey, "pw");
  ASSERT_FALSE(SaveDay(day, Page("{\\rtf1 x}", {{"08:00:00", "\r\n"}}), "pw").failed);
  day = LoadDay(kKey, "pw");
  const DaySaveResult r = SaveDay(day, Page(""), "pw");
  EXPECT_TRUE(r.diaryDeleted);
  EXPECT_FALSE(folder.exists(Dia()));
  EXPECT_FALSE(folder.exists(Alm()));
}

TEST(DayStore, pageOfAnotherPassword_isNotShownAndNeverTouched) {
  test::TempUserFolder folder;
  LoadedDay first = LoadDay(kKey, "first");
  ASSERT_TRUE(SaveDay(first, Page("{\\rtf1 secret}"), "first").diaryWritten);
  const QByteArray stored = folder.read(Dia());

  LoadedDay other = LoadDay(kKey, "second");
  EXPECT_EQ(other.diary, DiaryPageState::OtherPassword);
  EXPECT_TRUE(other.diaryRtf.isEmpty());
  // The editor stays empty for such a day; saving must neither delete nor overwrite.
  EXPECT_TRUE(SaveDay(other, Page(""), "second").diaryProtected);
  EXPECT_TRUE(SaveDay(other, Page("{\\rtf1 new text}"), "second").diaryProtected);
  EXPECT_EQ(folder.read(Dia()), stored);
}

TEST(DayStore, shortDiaryFile_isLeftAlone) {
  test::TempUserFolder folder;
  folder.write(Dia(), "tiny");
  LoadedDay day = LoadDay(kKey, "pw");
  EXPECT_EQ(day.diary, DiaryPageState::Unreadable);
  EXPECT_TRUE(SaveDay(day, Page(""), "pw").diaryProtected);
  EXPECT_EQ(folder.read(Dia()), "tiny");
}

TEST(DayStore, damagedReminderFiles_surviveUnchangedSavesAndEachIsKeptUnderItsOwnName) {
  test::TempUserFolder folder;
  const ReminderMap two{{"08:00:00", "\r\na"}, {"09:00:00", "\r\nb"}};
  const QByteArray damaged = Scrambled(SerializeReminderDay(two).chopped(2));
  folder.write(Alm(), damaged);

  LoadedDay day = LoadDay(kKey, "pw");
  EXPECT_EQ(day.remindersResult, ReminderLoadResult::Damaged);
  EXPECT_EQ(day.reminders.size(), 1u);
  // A refused save is no success: the next one still knows the file is damaged.
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(SaveDay(day, Page("", day.reminders), "pw").remindersProtected);
  EXPECT_EQ(day.remindersResult, ReminderLoadResult::Damaged);
  EXPECT_EQ(folder.read(Alm()), damaged);

  ReminderMap changed = day.reminders;
  changed["10:00:00"] = "\r\nc";
  const DaySaveResult written = SaveDay(day, Page("", changed), "pw");
  EXPECT_TRUE(written.remindersWritten);
  EXPECT_EQ(written.damagedKeptAs, folder.file(Alm() + QStringLiteral(".damaged")));
  EXPECT_EQ(folder.read(Alm() + QStringLiteral(".damaged")), damaged);
  ReminderMap now;
  EXPECT_EQ(LoadReminderDay(folder.file(Alm()), now), ReminderLoadResult::Ok);
  EXPECT_EQ(now, changed);

  // A second damaged file later: kept beside the first, which stays as it was.
  const QByteArray damagedAgain = Scrambled(SerializeReminderDay(changed).chopped(1));
  folder.write(Alm(), damagedAgain);
  day = LoadDay(kKey, "pw");
  changed["11:00:00"] = "\r\nd";
  EXPECT_TRUE(SaveDay(day, Page("", changed), "pw").remindersWritten);
  EXPECT_EQ(folder.read(Alm() + QStringLiteral(".damaged")), damaged);
  EXPECT_EQ(folder.read(Alm() + QStringLiteral(".damaged-2")), damagedAgain);

  // The new file cannot be written: the damaged one stays, and so does the state.
  folder.write(Alm(), damaged);
  day = LoadDay(kKey, "pw");
  SetService(&Services::failWriteStep, [](AtomicWriteStep) { return true; });
  const DaySaveResult refused = SaveDay(day, Page("", changed), "pw");
  SetService(&Services::failWriteStep, {});
  EXPECT_TRUE(refused.failed);
  EXPECT_FALSE(refused.remindersWritten);
  EXPECT_EQ(folder.read(Alm()), damaged);
  EXPECT_EQ(day.remindersResult, ReminderLoadResult::Damaged);
}

TEST(DayStore, failedWritesAreToldKeepTheirStateAndSucceedAtTheNextTry) {
  test::TempUserFolder folder;
  Page(folder, "07d60102", "{\\rtf1 old page}", "pw");
  LoadedDay day = LoadDay(kKey, "pw");
  const DayContent edited = Page("{\\rtf1 new page}", {{"08:00:00", "\r\nx"}});

  SetService(&Services::failWriteStep, [](AtomicWriteStep step) { return step == AtomicWriteStep::Write; });
  const DaySaveResult failed = SaveDay(day, edited, "pw");
  SetService(&Services::failWriteStep, {});
  EXPECT_TRUE(failed.failed);
  ASSERT_EQ(failed.failures.size(), 2u);
  EXPECT_EQ(failed.failures[0].path, folder.file(Dia()));
  EXPECT_EQ(failed.failures[1].path, folder.file(Alm()));
  const QString message = DaySaveFailureMessage(failed);
  EXPECT_TRUE(message.startsWith(QStringLiteral("The day could not be saved.\n") + folder.file(Dia()) +
                                 QStringLiteral(": Input/output error\n")))
      << message.toStdString();
  EXPECT_EQ(UnwrapPasswordHeader(folder.read(Dia())), "{\\rtf1 old page}");
  EXPECT_FALSE(folder.exists(Alm()));
  EXPECT_TRUE(day.reminders.empty());  // still what the disk holds

  const DaySaveResult retried = SaveDay(day, edited, "pw");
  EXPECT_FALSE(retried.failed);
  EXPECT_TRUE(retried.diaryWritten && retried.remindersWritten);
  EXPECT_EQ(UnwrapPasswordHeader(folder.read(Dia())), "{\\rtf1 new page}");

  // Written only when changed: an unedited page and the same reminders touch nothing.
  folder.write(Dia(), WrapWithPasswordHeader("{\\rtf1 written meanwhile}", "pw"));
  DayContent unchanged = edited;
  unchanged.diaryModified = false;
  const DaySaveResult nothing = SaveDay(day, unchanged, "pw");
  EXPECT_FALSE(nothing.diaryWritten || nothing.remindersWritten || nothing.failed);
  EXPECT_EQ(UnwrapPasswordHeader(folder.read(Dia())), "{\\rtf1 written meanwhile}");
}

TEST(DayStore, nothingHappensBeforeTheFirstLoad) {
  test::TempUserFolder folder;
  LoadedDay none;
  const DaySaveResult r = SaveDay(none, Page("{\\rtf1 x}"), "pw");
  EXPECT_FALSE(r.diaryWritten);
  EXPECT_FALSE(r.remindersWritten);
}

TEST(DayStore, statusMessageFollowsTheDateFormat) {
  const std::time_t day = MakeLocalTime(2006, 1, 2, 0, 0, 10);
  EXPECT_EQ(ReminderStatusMessage(1, day, 2, QString()), QStringLiteral("You have 1 reminders on 2006-01-02 ."));
  EXPECT_EQ(ReminderStatusMessage(3, day, 0, QStringLiteral("Holiday")),
            QStringLiteral("You have 3 reminders on 01-02-2006 Holiday."));
  EXPECT_EQ(ReminderStatusMessage(0, day, 1, QString()), QStringLiteral("You have 0 reminders on 02-01-2006 ."));
}

TEST(DayStore, pageThatAppearedSinceTheLoad_isNotDeletedOrOverwrittenIfForeign) {
  test::TempUserFolder folder;
  LoadedDay day = LoadDay(kKey, "pw");  // no page yet
  Page(folder, "07d60102", "{\\rtf1 imported meanwhile}", "pw");
  EXPECT_FALSE(SaveDay(day, Page(""), "pw").diaryDeleted);
  EXPECT_TRUE(folder.exists(Dia()));
  const QByteArray foreign = WrapWithPasswordHeader("{\\rtf1 x}", "other");
  folder.write(Dia(), foreign);
  EXPECT_TRUE(SaveDay(day, Page("{\\rtf1 mine}"), "pw").diaryProtected);
  EXPECT_EQ(folder.read(Dia()), foreign);
}

TEST(DayStore, anotherWritersChangesAreMergedTakenOverOrKeptBeside) {
  test::TempUserFolder folder;
  // Reminders merge by time key: the window's edits (08 changed, 09 removed,
  // 11 added) win; what only the other side changed (10, 12) stays.
  const ReminderMap base{{"08:00:00", "a"}, {"09:00:00", "b"}, {"10:00:00", "c"}};
  const ReminderMap mine{{"08:00:00", "A"}, {"10:00:00", "c"}, {"11:00:00", "new"}};
  const ReminderMap disk{{"08:00:00", "x"}, {"09:00:00", "b"}, {"10:00:00", "y"}, {"12:00:00", "cli"}};
  EXPECT_EQ(MergeReminders(base, mine, disk),
            (ReminderMap{{"08:00:00", "A"}, {"10:00:00", "y"}, {"11:00:00", "new"}, {"12:00:00", "cli"}}));

  LoadedDay day = LoadDay(kKey, "pw");
  ASSERT_FALSE(SaveDay(day, Page("{\\rtf1 ours}", {{"08:00:00", "a"}}), "pw").failed);
  ReminderMap shown{{"08:00:00", "a"}};
  EXPECT_FALSE(RefreshLoadedDay(day, shown, false, "pw").reminders);  // our own write is no news

  // Added from outside while the window holds the day unedited: taken over.
  const ReminderMap outside{{"08:00:00", "a"}, {"12:00:00", "cli"}};
  ASSERT_EQ(SaveReminderDay(folder.file(Alm()), outside), WriteResult::Written);
  DayRefresh refreshed = RefreshLoadedDay(day, shown, false, "pw");
  EXPECT_TRUE(refreshed.reminders);
  EXPECT_FALSE(refreshed.diary);
  EXPECT_EQ(shown, outside);

  // Added again between the window's edit and its save: the save merges.
  ASSERT_EQ(SaveReminderDay(folder.file(Alm()), {{"08:00:00", "a"}, {"12:00:00", "cli"}, {"13:00:00", "two"}}),
            WriteResult::Written);
  DayContent edited{false, true, {}, {{"08:00:00", "A"}, {"12:00:00", "cli"}}};
  const DaySaveResult merged = SaveDay(day, edited, "pw");
  const ReminderMap all{{"08:00:00", "A"}, {"12:00:00", "cli"}, {"13:00:00", "two"}};
  EXPECT_TRUE(merged.remindersMerged && merged.remindersWritten);
  EXPECT_EQ(merged.reminders, all);
  ReminderMap stored;
  LoadReminderDay(folder.file(Alm()), stored);
  EXPECT_EQ(stored, all);

  // A page changed outside is taken over while ours is unmodified...
  folder.write(Dia(), WrapWithPasswordHeader("{\\rtf1 outside}", "pw"));
  shown = all;
  refreshed = RefreshLoadedDay(day, shown, false, "pw");
  EXPECT_TRUE(refreshed.diary);
  EXPECT_EQ(day.diaryRtf, "{\\rtf1 outside}");
  // ...and when both sides changed it, each other version is kept under a name of its own.
  for (const char* n : {"1", "2"}) {
    const QByteArray theirs = WrapWithPasswordHeader(QByteArray("{\\rtf1 theirs ") + n + "}", "pw");
    folder.write(Dia(), theirs);
    EXPECT_FALSE(RefreshLoadedDay(day, shown, true, "pw").diary);
    const DaySaveResult saved = SaveDay(day, Page(QByteArray("{\\rtf1 mine ") + n + "}", all), "pw");
    const QString kept = Dia() + QStringLiteral(".conflict-") + QLatin1String(n);
    EXPECT_EQ(saved.conflictKeptAs, folder.file(kept));
    EXPECT_EQ(folder.read(kept), theirs);
    EXPECT_EQ(UnwrapPasswordHeader(folder.read(Dia())), QByteArray("{\\rtf1 mine ") + n + "}");
    EXPECT_TRUE(DiaryConflictMessage(saved.conflictKeptAs).endsWith(saved.conflictKeptAs));
  }
}
