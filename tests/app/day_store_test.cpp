#include "app/day_store.h"
#include "days/day_files.h"
#include "platform/file_io.h"
#include "platform/local_time.h"
#include "platform/services.h"
#include "reminders/reminder_day.h"
#include "reminders/reminder_store.h"
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

// A page the user edited, and the day's reminders as the program holds them.
struct Edit {
  DayContent content;
  ReminderMap reminders;
};
Edit Page(const QByteArray& rtf, ReminderMap reminders = {}) {
  return Edit{DayContent{true, rtf.isEmpty(), rtf}, std::move(reminders)};
}

DaySaveResult Save(LoadedDay& day, const Edit& edit, const QByteArray& password, ReminderStore& store) {
  if (!day.dayKey.isEmpty()) store.setDay(day.dayKey, edit.reminders);
  return SaveDay(day, edit.content, password, store);
}

// The day loaded again, as the program loads it: the store reads the file anew.
LoadedDay Reload(ReminderStore& store, const QByteArray& password = "pw") {
  store.discardEdits(kKey);
  store.refresh(kKey);
  return LoadDay(kKey, password);
}

void Page(const test::TempUserFolder& f, const char* key, const QByteArray& rtf, const QByteArray& password) {
  f.write(QLatin1String(key) + QStringLiteral(".dia"), WrapWithPasswordHeader(rtf, password));
}
}  // namespace

TEST(DayStore, savedPageAndRemindersLoadBackUnderThePassword) {
  test::TempUserFolder folder;
  ReminderStore store;
  LoadedDay empty = LoadDay(kKey, "pw");
  LoadedDay before = empty;
  EXPECT_EQ(empty.diary, DiaryPageState::None);
  EXPECT_EQ(store.loadResult(kKey), ReminderLoadResult::Missing);

  const DaySaveResult saved =
      Save(before, Page("{\\rtf1 dear diary}", {{"08:30:00", "<Alarm is active>\r\nHi"}}), "pw", store);
  EXPECT_TRUE(saved.diaryWritten);
  EXPECT_TRUE(saved.remindersWritten);
  EXPECT_FALSE(saved.failed);
  EXPECT_EQ(CheckPasswordHeader(folder.read(Dia()), "pw"), PasswordHeaderCheck::Matches);

  const LoadedDay back = LoadDay(kKey, "pw");
  EXPECT_EQ(back.diary, DiaryPageState::Shown);
  EXPECT_EQ(back.diaryRtf, "{\\rtf1 dear diary}");
  EXPECT_EQ(Reload(store).diary, DiaryPageState::Shown);
  EXPECT_EQ(store.day(kKey).size(), 1u);
}

TEST(DayStore, emptiedDayDeletesBothFiles) {
  test::TempUserFolder folder;
  ReminderStore store;
  LoadedDay day = Reload(store);
  ASSERT_FALSE(Save(day, Page("{\\rtf1 x}", {{"08:00:00", "\r\n"}}), "pw", store).failed);
  day = Reload(store);
  const DaySaveResult r = Save(day, Page(""), "pw", store);
  EXPECT_TRUE(r.diaryDeleted);
  EXPECT_FALSE(folder.exists(Dia()));
  EXPECT_FALSE(folder.exists(Alm()));
}

TEST(DayStore, pageOfAnotherPassword_isNotShownAndNeverTouched) {
  test::TempUserFolder folder;
  ReminderStore store;
  LoadedDay first = LoadDay(kKey, "first");
  ASSERT_TRUE(Save(first, Page("{\\rtf1 secret}"), "first", store).diaryWritten);
  const QByteArray stored = folder.read(Dia());

  LoadedDay other = LoadDay(kKey, "second");
  EXPECT_EQ(other.diary, DiaryPageState::OtherPassword);
  EXPECT_TRUE(other.diaryRtf.isEmpty());
  // The editor stays empty for such a day; saving must neither delete nor overwrite.
  EXPECT_TRUE(Save(other, Page(""), "second", store).diaryProtected);
  EXPECT_TRUE(Save(other, Page("{\\rtf1 new text}"), "second", store).diaryProtected);
  EXPECT_EQ(folder.read(Dia()), stored);
}

TEST(DayStore, shortDiaryFile_isLeftAlone) {
  test::TempUserFolder folder;
  ReminderStore store;
  folder.write(Dia(), "tiny");
  LoadedDay day = Reload(store);
  EXPECT_EQ(day.diary, DiaryPageState::Unreadable);
  EXPECT_TRUE(Save(day, Page(""), "pw", store).diaryProtected);
  EXPECT_EQ(folder.read(Dia()), "tiny");
}

TEST(DayStore, damagedReminderFiles_surviveUnchangedSavesAndEachIsKeptUnderItsOwnName) {
  test::TempUserFolder folder;
  ReminderStore store;
  const ReminderMap two{{"08:00:00", "\r\na"}, {"09:00:00", "\r\nb"}};
  const QByteArray damaged = Scrambled(SerializeReminderDay(two).chopped(2));
  folder.write(Alm(), damaged);

  LoadedDay day = Reload(store);
  EXPECT_EQ(store.loadResult(kKey), ReminderLoadResult::Damaged);
  EXPECT_EQ(store.day(kKey).size(), 1u);
  // A refused save is no success: the next one still knows the file is damaged.
  for (int i = 0; i < 2; ++i) EXPECT_TRUE(Save(day, Page("", store.day(kKey)), "pw", store).remindersProtected);
  EXPECT_EQ(store.loadResult(kKey), ReminderLoadResult::Damaged);
  EXPECT_EQ(folder.read(Alm()), damaged);

  ReminderMap changed = store.day(kKey);
  changed["10:00:00"] = "\r\nc";
  const DaySaveResult written = Save(day, Page("", changed), "pw", store);
  EXPECT_TRUE(written.remindersWritten);
  EXPECT_EQ(written.damagedKeptAs, folder.file(Alm() + QStringLiteral(".damaged")));
  EXPECT_EQ(folder.read(Alm() + QStringLiteral(".damaged")), damaged);
  ReminderMap now;
  EXPECT_EQ(LoadReminderDay(folder.file(Alm()), now), ReminderLoadResult::Ok);
  EXPECT_EQ(now, changed);

  // A second damaged file later: kept beside the first, which stays as it was.
  const QByteArray damagedAgain = Scrambled(SerializeReminderDay(changed).chopped(1));
  folder.write(Alm(), damagedAgain);
  day = Reload(store);
  changed["11:00:00"] = "\r\nd";
  EXPECT_TRUE(Save(day, Page("", changed), "pw", store).remindersWritten);
  EXPECT_EQ(folder.read(Alm() + QStringLiteral(".damaged")), damaged);
  EXPECT_EQ(folder.read(Alm() + QStringLiteral(".damaged-2")), damagedAgain);

  // The new file cannot be written: the damaged one stays, and so does the state.
  folder.write(Alm(), damaged);
  day = Reload(store);
  SetService(&Services::failWriteStep, [](AtomicWriteStep) { return true; });
  const DaySaveResult refused = Save(day, Page("", changed), "pw", store);
  SetService(&Services::failWriteStep, {});
  EXPECT_TRUE(refused.failed);
  EXPECT_FALSE(refused.remindersWritten);
  EXPECT_EQ(folder.read(Alm()), damaged);
  EXPECT_EQ(store.loadResult(kKey), ReminderLoadResult::Damaged);
}

TEST(DayStore, failedWritesAreToldKeepTheirStateAndSucceedAtTheNextTry) {
  test::TempUserFolder folder;
  ReminderStore store;
  Page(folder, "07d60102", "{\\rtf1 old page}", "pw");
  LoadedDay day = Reload(store);
  const Edit edited = Page("{\\rtf1 new page}", {{"08:00:00", "\r\nx"}});

  SetService(&Services::failWriteStep, [](AtomicWriteStep step) { return step == AtomicWriteStep::Write; });
  const DaySaveResult failed = Save(day, edited, "pw", store);
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
  EXPECT_TRUE(store.base(kKey).empty());  // still what the disk holds

  const DaySaveResult retried = Save(day, edited, "pw", store);
  EXPECT_FALSE(retried.failed);
  EXPECT_TRUE(retried.diaryWritten && retried.remindersWritten);
  EXPECT_EQ(UnwrapPasswordHeader(folder.read(Dia())), "{\\rtf1 new page}");

  // Written only when changed: an unedited page and the same reminders touch nothing.
  folder.write(Dia(), WrapWithPasswordHeader("{\\rtf1 written meanwhile}", "pw"));
  Edit unchanged = edited;
  unchanged.content.diaryModified = false;
  const DaySaveResult nothing = Save(day, unchanged, "pw", store);
  EXPECT_FALSE(nothing.diaryWritten || nothing.remindersWritten || nothing.failed);
  EXPECT_EQ(UnwrapPasswordHeader(folder.read(Dia())), "{\\rtf1 written meanwhile}");

  // A modified page that came back to the file's bytes, loaded or saved by
  // another writer meanwhile, is not written again and leaves no conflict copy.
  for (const bool outside : {false, true}) {
    LoadedDay same = Reload(store);
    if (outside) folder.write(Dia(), WrapWithPasswordHeader("{\\rtf1 same}", "pw"));
    const FileSignature before = FileSignatureOf(folder.file(Dia()));
    const Edit back = Page(outside ? "{\\rtf1 same}" : "{\\rtf1 written meanwhile}", edited.reminders);
    const DaySaveResult kept = Save(same, back, "pw", store);
    EXPECT_TRUE(kept.diaryAlreadyOnDisk && !kept.diaryWritten && !kept.failed && kept.conflictKeptAs.isEmpty());
    const FileSignature after = FileSignatureOf(folder.file(Dia()));
    EXPECT_TRUE(after.inode == before.inode && after.changedNs == before.changedNs);
    EXPECT_EQ(same.diaryRtf, back.content.diaryRtf);
  }
}

TEST(DayStore, nothingHappensBeforeTheFirstLoad) {
  test::TempUserFolder folder;
  ReminderStore store;
  LoadedDay none;
  const DaySaveResult r = Save(none, Page("{\\rtf1 x}"), "pw", store);
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
  ReminderStore store;
  LoadedDay day = Reload(store);  // no page yet
  Page(folder, "07d60102", "{\\rtf1 imported meanwhile}", "pw");
  EXPECT_FALSE(Save(day, Page(""), "pw", store).diaryDeleted);
  EXPECT_TRUE(folder.exists(Dia()));
  const QByteArray foreign = WrapWithPasswordHeader("{\\rtf1 x}", "other");
  folder.write(Dia(), foreign);
  EXPECT_TRUE(Save(day, Page("{\\rtf1 mine}"), "pw", store).diaryProtected);
  EXPECT_EQ(folder.read(Dia()), foreign);
}

TEST(DayStore, anotherWritersChangesAreMergedTakenOverOrKeptBeside) {
  test::TempUserFolder folder;
  ReminderStore store;
  // Reminders merge by time key: the window's edits (08 changed, 09 removed,
  // 11 added) win; what only the other side changed (10, 12) stays.
  const ReminderMap base{{"08:00:00", "a"}, {"09:00:00", "b"}, {"10:00:00", "c"}};
  const ReminderMap mine{{"08:00:00", "A"}, {"10:00:00", "c"}, {"11:00:00", "new"}};
  const ReminderMap disk{{"08:00:00", "x"}, {"09:00:00", "b"}, {"10:00:00", "y"}, {"12:00:00", "cli"}};
  EXPECT_EQ(MergeReminders(base, mine, disk),
            (ReminderMap{{"08:00:00", "A"}, {"10:00:00", "y"}, {"11:00:00", "new"}, {"12:00:00", "cli"}}));

  LoadedDay day = Reload(store);
  ASSERT_FALSE(Save(day, Page("{\\rtf1 ours}", {{"08:00:00", "a"}}), "pw", store).failed);
  EXPECT_FALSE(store.refresh(kKey));  // our own write is no news

  // Added from outside while the window holds the day unedited: taken over.
  const ReminderMap outside{{"08:00:00", "a"}, {"12:00:00", "cli"}};
  ASSERT_EQ(SaveReminderDay(folder.file(Alm()), outside), WriteResult::Written);
  EXPECT_TRUE(store.refresh(kKey));
  EXPECT_FALSE(RefreshLoadedPage(day, false, "pw"));
  EXPECT_EQ(store.day(kKey), outside);

  // Added again between the window's edit and its save: the save merges.
  ASSERT_EQ(SaveReminderDay(folder.file(Alm()), {{"08:00:00", "a"}, {"12:00:00", "cli"}, {"13:00:00", "two"}}),
            WriteResult::Written);
  const Edit edited{{false, true, {}}, {{"08:00:00", "A"}, {"12:00:00", "cli"}}};
  const DaySaveResult merged = Save(day, edited, "pw", store);
  const ReminderMap all{{"08:00:00", "A"}, {"12:00:00", "cli"}, {"13:00:00", "two"}};
  EXPECT_TRUE(merged.remindersMerged && merged.remindersWritten);
  EXPECT_EQ(store.day(kKey), all);
  ReminderMap stored;
  LoadReminderDay(folder.file(Alm()), stored);
  EXPECT_EQ(stored, all);

  // A page changed outside is taken over while ours is unmodified...
  folder.write(Dia(), WrapWithPasswordHeader("{\\rtf1 outside}", "pw"));
  EXPECT_TRUE(RefreshLoadedPage(day, false, "pw"));
  EXPECT_EQ(day.diaryRtf, "{\\rtf1 outside}");
  // ...and when both sides changed it, each other version is kept under a name of its own.
  for (const char* n : {"1", "2"}) {
    const QByteArray theirs = WrapWithPasswordHeader(QByteArray("{\\rtf1 theirs ") + n + "}", "pw");
    folder.write(Dia(), theirs);
    EXPECT_FALSE(RefreshLoadedPage(day, true, "pw"));
    const DaySaveResult saved = Save(day, Page(QByteArray("{\\rtf1 mine ") + n + "}", all), "pw", store);
    const QString kept = Dia() + QStringLiteral(".conflict-") + QLatin1String(n);
    EXPECT_EQ(saved.conflictKeptAs, folder.file(kept));
    EXPECT_EQ(folder.read(kept), theirs);
    EXPECT_EQ(UnwrapPasswordHeader(folder.read(Dia())), QByteArray("{\\rtf1 mine ") + n + "}");
    EXPECT_TRUE(DiaryConflictMessage(saved.conflictKeptAs).endsWith(saved.conflictKeptAs));
  }
}
