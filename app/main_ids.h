// The numeric ids of the main window's controls and commands. Keys, menus, the
// tray and tests all reach the window through these numbers.
#pragma once

namespace orlane::ids {

// Frame buttons and title strip.
inline constexpr int kClose = 2;
inline constexpr int kMinimize = 101;
inline constexpr int kHide = 121;
inline constexpr int kMaximize = 125;

// Diary formatting.
inline constexpr int kFontSize = 102;
inline constexpr int kFontName = 103;
inline constexpr int kInsertPicture = 106;
inline constexpr int kBold = 107;
inline constexpr int kItalic = 108;
inline constexpr int kUnderline = 109;
inline constexpr int kFontColor = 110;
inline constexpr int kAlignLeft = 112;
inline constexpr int kAlignCenter = 113;
inline constexpr int kAlignRight = 114;
inline constexpr int kBackgroundColor = 120;
inline constexpr int kAttachFile = 126;
inline constexpr int kDiaryEditor = 200;
inline constexpr int kReminderNote = 201;
inline constexpr int kDiarySaveAs = 1043;
inline constexpr int kDiaryImport = 1045;

// Recorder.
inline constexpr int kPlay = 115;
inline constexpr int kStop = 116;
inline constexpr int kPause = 117;
inline constexpr int kRecord = 118;
inline constexpr int kDeleteSound = 119;
inline constexpr int kSaveSoundAs = 124;
inline constexpr int kMicSlider = 1009;
inline constexpr int kMixerGroup = 1011;
inline constexpr int kMasterSlider = 1012;
inline constexpr int kWaveSlider = 1013;
inline constexpr int kMicLabel = 1014;
inline constexpr int kMasterLabel = 1015;
inline constexpr int kWaveLabel = 1016;
inline constexpr int kMicLevelLabel = 1017;

// Modes.
inline constexpr int kModeReminder = 179;
inline constexpr int kModeDiary = 180;
inline constexpr int kModeSound = 181;

// Reminder editing.
inline constexpr int kStaticLine = 1002;
inline constexpr int kTimePicker = 1004;
inline constexpr int kAddReminder = 1005;
inline constexpr int kRemoveReminder = 1006;
inline constexpr int kReminderList = 1007;
inline constexpr int kReminderGroup = 1008;
inline constexpr int kCopyReminder = 1010;
inline constexpr int kPasteReminder = 1018;
inline constexpr int kMediaFile = 1019;
inline constexpr int kPlayNow = 1020;
inline constexpr int kBeepOnly = 1023;
inline constexpr int kRefreshReminder = 1029;
inline constexpr int kActive = 1034;
inline constexpr int kRepeatPlay = 1039;
inline constexpr int kUpdateReminder = 1041;
inline constexpr int kDatePicker = 1044;
inline constexpr int kMediaEdit = 1060;
inline constexpr int kRecurs = 1063;
inline constexpr int kRecurEvery = 1065;
inline constexpr int kRecurUntil = 1067;

// Search panel.
inline constexpr int kSearchWords = 1022;
inline constexpr int kSearchResults = 1035;
inline constexpr int kCloseResults = 1036;
inline constexpr int kResultsLabel = 1037;
inline constexpr int kHasPicture = 1047;
inline constexpr int kActived = 1048;
inline constexpr int kSearchFrom = 1050;
inline constexpr int kSearchTo = 1051;
inline constexpr int kFromLabel = 1052;
inline constexpr int kToLabel = 1053;
inline constexpr int kSearch = 1056;
inline constexpr int kFind = 1057;
inline constexpr int kSearchGroup = 1058;

// Toolbar and the rest.
inline constexpr int kShowConfig = 1024;
inline constexpr int kSaveAll = 1033;
inline constexpr int kPrint = 1038;
inline constexpr int kCalendarSwitch = 1042;
inline constexpr int kSyncHolidays = 1046;
inline constexpr int kHelpButton = 1055;
inline constexpr int kTitleLine = 1059;
inline constexpr int kThemeButton = 1061;

// Controls without an id of their own get these.
inline constexpr int kTitleBand = -1;
inline constexpr int kSoundView = -2;
inline constexpr int kLevelBar = -3;
inline constexpr int kModeSwitch = -4;
inline constexpr int kMonthCalendar = -5;
inline constexpr int kClock = -6;
inline constexpr int kMediaPreview = -7;  // a place, not a control: the shown reminder's media

// Menus.
inline constexpr int kTrayShow = 2210;
inline constexpr int kTrayShowClock = 2211;
inline constexpr int kTrayAbout = 2212;
inline constexpr int kTrayHelp = 2213;
inline constexpr int kTrayExit = 2214;
inline constexpr int kTrayHide = 2215;
inline constexpr int kTrayConfig = 2216;
inline constexpr int kTrayWebPage = 2217;
inline constexpr int kTrayEmail = 2218;
inline constexpr int kTrayUpdate = 2219;
inline constexpr int kTrayDeskleaf = 2220;
inline constexpr int kExportDiary = 2230;
inline constexpr int kBackUpNow = 2231;
inline constexpr int kExportIcal = 2232;
inline constexpr int kImportIcal = 2233;
inline constexpr int kSyncNow = 2234;
inline constexpr int kGotoToday = 2300;
inline constexpr int kPreviousDay = 2301;
inline constexpr int kNextDay = 2302;
inline constexpr int kHelpAbout = 7001;
inline constexpr int kHelpManual = 7002;
inline constexpr int kHelpWebsite = 7003;
inline constexpr int kHelpEmail = 7004;
inline constexpr int kHelpUpdate = 7005;
inline constexpr int kHelpSyncHolidays = 7007;
inline constexpr int kThemeFirst = 7100;
inline constexpr int kThemeLast = 7109;
inline constexpr int kEditorMenuFirst = 9001;
inline constexpr int kEditorMenuLast = 9050;

}  // namespace orlane::ids
