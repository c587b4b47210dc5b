#include "app/recovery_file.h"
#include "support/temp_user_folder.h"

#include <gtest/gtest.h>

using namespace orlane;

TEST(RecoveryFile, roundTripsUnderItsPasswordAndRefusesEverythingElse) {
  test::TempUserFolder folder;
  RecoveryState state;
  state.dayKey = QStringLiteral("07ea0c08");
  state.diaryRtf = QByteArray("{\\rtf1 typed}");
  state.reminders = ReminderMap{{"08:00:00", "<Alarm is active>\r\nwake"}};
  ASSERT_EQ(WriteRecoveryFile(state, "pw"), WriteResult::Written);
  const std::optional<RecoveryState> back = ReadRecoveryFile("pw");
  ASSERT_TRUE(back);
  EXPECT_EQ(back->dayKey, state.dayKey);
  EXPECT_EQ(back->diaryRtf, state.diaryRtf);
  EXPECT_EQ(back->reminders, state.reminders);
  EXPECT_FALSE(ReadRecoveryFile("other"));  // another password's copy is not offered

  // Only the diary: the reminders stay as they are on disk.
  state.reminders.reset();
  const QByteArray bytes = SerializeRecovery(state, "pw");
  ASSERT_TRUE(ParseRecovery(bytes, "pw"));
  EXPECT_FALSE(ParseRecovery(bytes, "pw")->reminders);
  // Every cut of the record, and a tail of garbage, is refused without a crash.
  for (qsizetype n = 0; n < bytes.size(); ++n) EXPECT_FALSE(ParseRecovery(bytes.left(n), "pw")) << n;
  EXPECT_FALSE(ParseRecovery(bytes + "x", "pw"));
  EXPECT_FALSE(ParseRecovery(SerializeRecovery(RecoveryState{QStringLiteral("07ea0c08"), {}, {}}, "pw"), "pw"));
  EXPECT_FALSE(
      ParseRecovery(SerializeRecovery(RecoveryState{QStringLiteral("../../x"), state.diaryRtf, {}}, "pw"), "pw"));

  RemoveRecoveryFile();
  EXPECT_FALSE(ReadRecoveryFile("pw"));
}
