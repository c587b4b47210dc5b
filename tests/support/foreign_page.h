// A diary page as another installation or a word processor leaves it, with
// what the editor cannot show: a metafile picture, an embedded spreadsheet, a
// damaged bitmap, Word's picture pair and hidden text.
#pragma once

#include <QByteArray>

namespace orlane::test {

inline const QByteArray kWmfGroup =
    "{\\pict\\wmetafile8\\picw2540\\pich1270\\picwgoal1440\\pichgoal720\n"
    "010009000003220000000000050000000b0200000000050000000c02e803e803\n030000000000}";
inline const QByteArray kSpreadsheetGroup =
    "{\\object\\objemb\\objw2880\\objh1440{\\*\\objclass Excel.Sheet.8}{\\*\\objdata\n"
    "01050000020000000f000000457863656c2e53686565742e380000000000000000000800\n"
    "d0cf11e0a1b11ae1000000000000000000000000000000003e000300feff0900}"
    "{\\result{\\pict\\wmetafile8\\picw100\\pich100 0100090000030000}}}";
inline const QByteArray kDamagedDibGroup = "{\\pict\\dibitmap0\\picw10\\pich10\\picwgoal150\\pichgoal150 28000000ffff}";
// Word's pair: a picture for new readers, a metafile copy for old ones.
inline const QByteArray kWordPictureGroups =
    "{\\*\\shppict{\\pict\\emfblip\\picw500\\pich500 0100000084000000}}{\\nonshppict{\\pict\\wmetafile8 0100}}";

inline QByteArray ForeignPage() {
  return "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}\n\\pard Before " + kWmfGroup + " middle " +
         kSpreadsheetGroup + "{\\v secret \\u233?t\\'e9}" + kDamagedDibGroup + kWordPictureGroups + " After\\par\n}";
}

}  // namespace orlane::test
