#include "calendar/month_renderer.h"

#include "controls/color_theme.h"
#include "controls/gdi_painter.h"
#include "controls/program_fonts.h"
#include "res/resources.h"

#include <QPainter>

#include <vector>

namespace orlane {

namespace {

GdiRect ToGdi(const CellRect& r) {
  return {r.left, r.top, r.right, r.bottom};
}

// The 12 × 12 mark icons, loaded once.
const QPixmap& MarkIcon(int id) {
  static const QPixmap diary = ResourcePixmap(kIdProgramIcon, 12);
  static const QPixmap sound = ResourcePixmap(kIdSoundDiaryIcon, 12);
  static const QPixmap reminders = ResourcePixmap(kIdReminderIcon, 12);
  if (id == kIdSoundDiaryIcon) return sound;
  if (id == kIdReminderIcon) return reminders;
  return diary;
}

void DrawMarks(GdiPainter& gdi, const GdiRect& c, const DayMarks& marks, bool small, ColorRef ink, ColorRef face) {
  if (small) {
    if (marks.diary) gdi.Rectangle({c.right - 6, c.top + 2, c.right - 2, c.top + 6}, ink, face);
    if (marks.reminders) gdi.RoundRect({c.right - 6, c.top + 7, c.right - 2, c.top + 11}, 4, 4, ink, face);
    if (marks.sound) gdi.Rectangle({c.right - 6, c.top + 12, c.right - 2, c.top + 15}, ink, ink);
    return;
  }
  QPainter& p = gdi.painter();
  if (marks.diary) p.drawPixmap(c.right - 16, c.top + 2, MarkIcon(kIdProgramIcon));
  if (marks.sound) p.drawPixmap(c.left + 2, c.bottom - 14, MarkIcon(kIdSoundDiaryIcon));
  if (marks.reminders) p.drawPixmap(c.right - 16, c.bottom - 14, MarkIcon(kIdReminderIcon));
}

}  // namespace

MonthFonts MonthFonts::Make() {
  MonthFonts f;
  f.normal = GdiFont(QStringLiteral("Tahoma"), -12, 400);
  f.underlined = f.normal;
  f.underlined.setUnderline(true);
  f.bold = GdiFont(QStringLiteral("Tahoma"), -12, 700);
  f.boldUnderlined = f.bold;
  f.boldUnderlined.setUnderline(true);
  return f;
}

void RenderMonth(QImage& image, const MonthView& view, const MonthCellRects& cells, int theme,
                 const MonthFonts& fonts) {
  std::vector<ColorRef> color;
  CopyTheme(theme, color);
  const int w = image.width();
  const int h = image.height();
  QPainter painter(&image);
  GdiPainter gdi(painter);
  gdi.FillRect({0, 0, w, h}, color[1]);
  gdi.RoundRect({0, 0, w, h}, 7, 7, color[3], color[1]);

  for (int k = 0; k < kMonthCells; ++k) {
    const MonthCellView& cell = view.cells[k];
    const GdiRect r = ToGdi(cells[k]);
    if (cell.selected) {
      gdi.RoundRect(r, 4, 4, color[3], color[3]);
    } else {
      gdi.Rectangle(r, color[3], cell.weekend ? color[1] : color[2]);
    }
    const bool small = IsSmallCell(cells[k]);
    const GdiRect textRect =
        small ? GdiRect{r.left + 1, r.top, r.right - 4, r.bottom} : GdiRect{r.left + 2, r.top, r.right - 2, r.bottom};
    const unsigned flags = small ? (kDtCenter | kDtVCenter | kDtSingleLine) : (kDtLeft | kDtSingleLine);
    if (cell.today)
      painter.setFont(cell.holiday ? fonts.boldUnderlined : fonts.underlined);
    else if (cell.inMonth && cell.holiday)
      painter.setFont(fonts.bold);
    else
      painter.setFont(fonts.normal);
    gdi.Text(textRect, QString::number(cell.day), flags | kDtNoPrefix, cell.inMonth ? color[4] : color[3]);
    if (cell.inMonth) DrawMarks(gdi, r, cell.marks, small, color[4], color[2]);
  }

  gdi.RoundRect({0, 0, w, 19}, 4, 4, color[3], color[3]);
  painter.setFont(fonts.normal);
  for (int c = 0; c < 7; ++c) {
    const GdiRect r = ToGdi(cells[c]);
    gdi.Text({r.left, r.top - 21, r.right, r.top - 7}, view.headerLetters.mid(c, 1),
             kDtCenter | kDtVCenter | kDtSingleLine | kDtNoPrefix, color[7]);
  }
  gdi.Text({10, h - 20, w - 75, h - 2}, view.title, kDtLeft | kDtVCenter | kDtSingleLine | kDtNoPrefix, color[4]);
}

}  // namespace orlane
