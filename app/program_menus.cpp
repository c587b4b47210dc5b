#include "app/program_menus.h"

#include "app/command_actions.h"
#include "app/main_ids.h"
#include "controls/color_theme.h"
#include "controls/mac_menu.h"

#include <QAction>

namespace orlane {

namespace {
struct MenuItem {
  int id;
  const char* text;
  int bitmap;
};

void Fill(CommandActions& actions, NMacMenu* menu, std::initializer_list<MenuItem> items) {
  for (const MenuItem& item : items) {
    if (item.id == 0)
      menu->AppendItem(NMacMenu::kMfSeparator, 0, QString());
    else
      actions.AddToMenu(menu, item.id, QString::fromUtf8(item.text), item.bitmap);
  }
}
}  // namespace

void FillProgramMenus(CommandActions& actions, NMacMenu* const (&menus)[kProgramMenuCount]) {
  Fill(actions, menus[0],
       {{ids::kTrayShow, "Show main window", 128},
        {ids::kTrayHide, "Hide main window", 187},
        {ids::kTrayShowClock, "Show Clock", 201},
        {ids::kTrayDeskleaf, "Show Deskleaf", 274},
        {0, nullptr, 0},
        {ids::kTrayConfig, "Config", 184},
        {ids::kExportDiary, "Export diary...", 0},
        {ids::kBackUpNow, "Back up now...", 0},
        {ids::kExportIcal, "Export to iCalendar...", 0},
        {ids::kImportIcal, "Import iCalendar...", 0},
        {ids::kSyncNow, "Sync now", 0},
        {ids::kTrayWebPage, "Visit our web page", 186},
        {ids::kTrayUpdate, "Online Update", 245},
        {ids::kTrayEmail, "Send email to us", 198},
        {0, nullptr, 0},
        {ids::kTrayAbout, "About...", 203},
        {ids::kTrayHelp, "Help", 173},
        {0, nullptr, 0},
        {ids::kTrayExit, "Exit", 133}});
  Fill(actions, menus[1],
       {{ids::kHelpAbout, "About...", 203},
        {ids::kHelpManual, "User manual", 173},
        {ids::kHelpWebsite, "Visit our website", 186},
        {ids::kHelpEmail, "Send email to us", 198},
        {ids::kHelpUpdate, "Online update", 245},
        {ids::kHelpSyncHolidays, "Synchronize holidays", 306}});
  for (int i = 0; i < kThemeCount; ++i) {
    actions.Action(ids::kThemeFirst + i)->setCheckable(true);
    actions.AddToMenu(menus[2], ids::kThemeFirst + i, QString::fromLatin1(ThemeName(i)), 0);
  }
  Fill(actions, menus[3], {{ids::kGotoToday, "Goto Today", 0}});
}

void ApplyProgramMenusTheme(NMacMenu* const (&menus)[kProgramMenuCount], int theme) {
  for (NMacMenu* m : menus) {
    m->SetBackgroundColor(ThemeColor(theme, kThemeLightFace));
    m->SetSelectionColors(ThemeColor(theme, kThemeOutline), ThemeColor(theme, kThemeFace),
                          ThemeColor(theme, kThemeShadow));
  }
  for (int i = 0; i < kThemeCount; ++i) menus[2]->CheckItem(ids::kThemeFirst + i, i == theme);
}

}  // namespace orlane
