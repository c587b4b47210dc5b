#include "controls/bv_title.h"

#include "controls/gdi_painter.h"
#include "controls/program_fonts.h"
#include "platform/app_paths.h"
#include "platform/services.h"
#include "res/resources.h"

#include <QFileInfo>
#include <QPainter>

namespace orlane {

TitleColors TitleColors::For(int theme, bool active) {
  if (active) return {ThemeColor(theme, kThemeBackdrop), ThemeColor(theme, kThemePressedText)};
  return {ThemeColor(theme, kThemeOutline), ThemeColor(theme, kThemeShadow)};
}

CBVTitle::CBVTitle(const QString& text, const QRect& rect, QWidget* parent)
    : QWidget(parent), font_(TitleFont()), icon_(ResourcePixmap(kIdProgramIcon, 16)) {
  setProperty("controlId", kControlId);
  setAccessibleName(text);
  setGeometry(rect);
  show();
}

QString CBVTitle::SkinPath(int theme) {
  const QString name = QStringLiteral("skin/%1.bmp").arg(theme);
  if (const QString folder = Service(&Services::skinFolder); !folder.isEmpty()) return WithTrailingSlash(folder) + name;
  for (const QString& folder : ProgramDataFolders())
    if (QFileInfo::exists(folder + name)) return folder + name;
  return ProgramFolder() + name;
}

void CBVTitle::SetSkin(int theme) {
  theme_ = theme;
  if (!skin_.Load(SkinPath(theme), true)) theme_ = -1;
  update();
}

void CBVTitle::paintEvent(QPaintEvent*) {
  if (theme_ < 0) return;
  QPainter painter(this);
  const int w = skin_.Width();
  for (int x = 0; w > 0 && x < width(); x += w) skin_.Draw(painter, QRect(x, 0, w, skin_.Height()));
  painter.drawPixmap(QRect(7, 4, 16, 16), icon_);

  const QWidget* owner = window();
  const TitleColors colors = TitleColors::For(theme_, owner && owner->isActiveWindow());
  const QString title = owner ? owner->windowTitle() : QString();
  painter.setFont(font_);
  GdiPainter gdi(painter);
  const unsigned flags = kDtSingleLine | kDtVCenter | kDtNoPrefix;
  gdi.Text({30, 1, width(), height()}, title, flags, colors.shadow);
  gdi.Text({29, 0, width(), height()}, title, flags, colors.text);
}

}  // namespace orlane
