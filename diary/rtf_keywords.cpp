// The control words each destination understands, and what they do.
#include "diary/rtf_read_session.h"

namespace orlane {
namespace {

using S = RtfReadSession;
using D = RtfDestination;

// Character flags for setCharFlag.
enum CharFlag { kBold, kItalic, kStrike, kHidden };
// Paragraph values for setParaValue.
enum ParaValue { kLi, kRi, kFi, kSb, kSa, kSl, kSlMult, kPageBreakBefore };

constexpr int Dest(D d) {
  return static_cast<int>(d);
}

const RtfKeyword kBodyWords[] = {
    // header
    {"ansi", &S::setCodePage, 1252},
    {"mac", &S::setCodePage, 10000},
    {"pc", &S::setCodePage, 437},
    {"pca", &S::setCodePage, 850},
    {"ansicpg", &S::setCodePage, 0},
    {"deff", &S::setDefaultFont, 0},
    {"fonttbl", &S::beginDestination, Dest(D::FontTable)},
    {"colortbl", &S::beginDestination, Dest(D::ColorTable)},
    {"listtable", &S::beginDestination, Dest(D::ListTable)},
    {"listoverridetable", &S::beginDestination, Dest(D::ListOverrideTable)},
    // destinations of the document, not of the page
    {"stylesheet", &S::beginSkip, 0},
    {"info", &S::beginSkip, 0},
    {"generator", &S::beginSkip, 0},
    {"pgdsctbl", &S::beginSkip, 0},
    {"rsidtbl", &S::beginSkip, 0},
    {"xmlnstbl", &S::beginSkip, 0},
    {"userprops", &S::beginSkip, 0},
    {"themedata", &S::beginSkip, 0},
    {"colorschememapping", &S::beginSkip, 0},
    {"latentstyles", &S::beginSkip, 0},
    {"datastore", &S::beginSkip, 0},
    {"defchp", &S::beginSkip, 0},
    {"defpap", &S::beginSkip, 0},
    {"mmathPr", &S::beginSkip, 0},
    {"wgrffmtfilter", &S::beginSkip, 0},
    {"listpicture", &S::beginSkip, 0},
    {"pnseclvl", &S::beginSkip, 0},
    {"revtbl", &S::beginSkip, 0},
    {"protusertbl", &S::beginSkip, 0},
    {"docvar", &S::beginSkip, 0},
    {"fchars", &S::beginSkip, 0},
    {"lchars", &S::beginSkip, 0},
    {"ftnsep", &S::beginSkip, 0},
    {"ftnsepc", &S::beginSkip, 0},
    {"aftnsep", &S::beginSkip, 0},
    {"aftnsepc", &S::beginSkip, 0},
    {"nesttableprops", &S::beginSkip, 0},
    {"author", &S::beginSkip, 0},
    {"operator", &S::beginSkip, 0},
    {"title", &S::beginSkip, 0},
    {"doccomm", &S::beginSkip, 0},
    // text the page writes itself: bullets and numbers, a field's instruction
    {"pntext", &S::beginSkip, 0},
    {"listtext", &S::beginSkip, 0},
    {"txe", &S::beginSkip, 0},
    {"objdata", &S::beginSkip, 0},  // object data outside an object
    // page content the editor cannot show: kept as it came, a footnote or a
    // note with a stand-in, the rest unseen
    {"footnote", &S::beginKept, 1},
    {"annotation", &S::beginKept, 1},
    {"header", &S::beginKept, 0},
    {"headerl", &S::beginKept, 0},
    {"headerr", &S::beginKept, 0},
    {"headerf", &S::beginKept, 0},
    {"footer", &S::beginKept, 0},
    {"footerl", &S::beginKept, 0},
    {"footerr", &S::beginKept, 0},
    {"footerf", &S::beginKept, 0},
    {"xe", &S::beginKept, 0},
    {"tc", &S::beginKept, 0},
    {"comment", &S::beginKept, 0},
    {"chftn", &S::footnoteMark, 0},
    // links
    {"field", &S::beginField, 0},
    {"fldinst", &S::beginFieldInstruction, 0},
    // tables
    {"trowd", &S::rowDefinition, 0},
    {"cellx", &S::cellBoundary, 0},
    {"intbl", &S::setInTable, 0},
    {"cell", &S::tableCell, 0},
    {"row", &S::tableRow, 0},
    {"nestcell", &S::specialChar, '\t'},
    {"nestrow", &S::paragraphMark, 0},
    // destinations read as page text
    {"shppict", &S::beginShppict, 0},
    {"nonshppict", &S::beginNonShppict, 0},
    {"shpinst", &S::beginShape, 0},
    {"shprslt", &S::beginNonShppict, 0},
    {"result", &S::beginObjectResult, 0},
    {"pn", &S::beginNumbering, 0},
    {"pict", &S::beginPicture, 0},
    {"object", &S::beginObject, 0},
    // character formatting
    {"plain", &S::plain, 0},
    {"b", &S::setCharFlag, kBold},
    {"i", &S::setCharFlag, kItalic},
    {"strike", &S::setCharFlag, kStrike},
    {"striked", &S::setCharFlag, kStrike},
    {"v", &S::setCharFlag, kHidden},
    {"ul", &S::setUnderline, 1},
    {"uld", &S::setUnderline, 1},
    {"uldash", &S::setUnderline, 1},
    {"uldashd", &S::setUnderline, 1},
    {"uldb", &S::setUnderline, 1},
    {"ulth", &S::setUnderline, 1},
    {"ulw", &S::setUnderline, 1},
    {"ulwave", &S::setUnderline, 1},
    {"ulnone", &S::setUnderline, 0},
    {"fs", &S::setFontSize, 10},
    {"olfstw", &S::setFontSize, 1},
    {"f", &S::setFont, 0},
    {"cf", &S::setColor, 0},
    {"cb", &S::setColor, 1},
    {"highlight", &S::setColor, 1},
    {"chcbpat", &S::setColor, 1},
    {"super", &S::setVertical, 1},
    {"sub", &S::setVertical, 2},
    {"nosupersub", &S::setVertical, 0},
    {"up", &S::setRaise, 1},
    {"dn", &S::setRaise, 2},
    // paragraph formatting
    {"pard", &S::pard, 0},
    {"ql", &S::setAlign, 0},
    {"qc", &S::setAlign, 1},
    {"qr", &S::setAlign, 2},
    {"qj", &S::setAlign, 3},
    {"qd", &S::setAlign, 3},
    {"li", &S::setParaValue, kLi},
    {"lin", &S::setParaValue, kLi},
    {"ri", &S::setParaValue, kRi},
    {"rin", &S::setParaValue, kRi},
    {"fi", &S::setParaValue, kFi},
    {"sb", &S::setParaValue, kSb},
    {"sa", &S::setParaValue, kSa},
    {"sl", &S::setParaValue, kSl},
    {"slmult", &S::setParaValue, kSlMult},
    {"pagebb", &S::setParaValue, kPageBreakBefore},
    {"ls", &S::setListOverride, 0},
    {"ilvl", &S::setListOverride, 1},
    // characters
    {"uc", &S::setUnicodeSkip, 0},
    {"u", &S::unicodeChar, 0},
    {"par", &S::paragraphMark, 0},
    {"sect", &S::pageMark, 0},
    {"page", &S::pageMark, 1},
    {"line", &S::specialChar, 0x2028},
    {"tab", &S::specialChar, '\t'},
    {"emdash", &S::specialChar, 0x2014},
    {"endash", &S::specialChar, 0x2013},
    {"emspace", &S::specialChar, 0x2003},
    {"enspace", &S::specialChar, 0x2002},
    {"qmspace", &S::specialChar, 0x2005},
    {"bullet", &S::specialChar, 0x2022},
    {"lquote", &S::specialChar, 0x2018},
    {"rquote", &S::specialChar, 0x2019},
    {"ldblquote", &S::specialChar, 0x201C},
    {"rdblquote", &S::specialChar, 0x201D},
    {"zwj", &S::specialChar, 0x200D},
    {"zwnj", &S::specialChar, 0x200C},
};

enum PictValue { kPicW, kPicH, kGoalW, kGoalH, kScaleX, kScaleY, kBitsPixel, kWidthBytes };

const RtfKeyword kPictureWords[] = {
    {"pngblip", &S::pictureKind, static_cast<int>(RtfPictureKind::Png)},
    {"jpegblip", &S::pictureKind, static_cast<int>(RtfPictureKind::Jpeg)},
    {"dibitmap", &S::pictureKind, static_cast<int>(RtfPictureKind::Dib)},
    {"wbitmap", &S::pictureKind, static_cast<int>(RtfPictureKind::Wbitmap)},
    {"emfblip", &S::pictureKind, static_cast<int>(RtfPictureKind::Emf)},
    {"wmetafile", &S::pictureKind, static_cast<int>(RtfPictureKind::Wmf)},
    {"macpict", &S::pictureKind, static_cast<int>(RtfPictureKind::Other)},
    {"pmmetafile", &S::pictureKind, static_cast<int>(RtfPictureKind::Other)},
    {"picw", &S::pictureValue, kPicW},
    {"pich", &S::pictureValue, kPicH},
    {"picwgoal", &S::pictureValue, kGoalW},
    {"pichgoal", &S::pictureValue, kGoalH},
    {"picscalex", &S::pictureValue, kScaleX},
    {"picscaley", &S::pictureValue, kScaleY},
    {"wbmbitspixel", &S::pictureValue, kBitsPixel},
    {"wbmwidthbytes", &S::pictureValue, kWidthBytes},
    {"picprop", &S::beginSkip, 0},
};

// A drawing shape: only its picture property is page content.
const RtfKeyword kShapeWords[] = {
    {"sn", &S::beginSkip, 0},
    {"sv", &S::beginDestination, Dest(D::ShapeValue)},
    {"shptxt", &S::beginDestination, Dest(D::Body)},
};

const RtfKeyword kShapeValueWords[] = {
    {"pict", &S::beginPicture, 0},
};

// Inside a kept group only its text is read, for the stand-in's tip.
const RtfKeyword kKeptWords[] = {
    {"pict", &S::beginSkip, 0},    {"object", &S::beginSkip, 0}, {"shp", &S::beginSkip, 0},
    {"fldinst", &S::beginSkip, 0}, {"pntext", &S::beginSkip, 0}, {"listtext", &S::beginSkip, 0},
    {"chftn", &S::ignore, 0},
};

const RtfKeyword kFontWords[] = {
    {"f", &S::fontEntry, 0},      {"fcharset", &S::fontCharset, 0}, {"cpg", &S::fontCodePage, 0},
    {"panose", &S::beginSkip, 0}, {"falt", &S::beginSkip, 0},       {"fname", &S::beginSkip, 0},
};

const RtfKeyword kColorWords[] = {
    {"red", &S::colorComponent, 0},
    {"green", &S::colorComponent, 1},
    {"blue", &S::colorComponent, 2},
};

const RtfKeyword kObjectWords[] = {
    {"objdata", &S::beginDestination, Dest(D::ObjectData)},
    {"objclass", &S::beginDestination, Dest(D::ObjectClass)},
    {"result", &S::beginObjectResult, 0},
    {"objname", &S::beginSkip, 0},
    {"objw", &S::objectSize, 0},
    {"objh", &S::objectSize, 1},
    {"objtime", &S::beginSkip, 0},
};

const RtfKeyword kListWords[] = {
    {"list", &S::listBegin, 0},
    {"listlevel", &S::listLevel, 0},
    {"levelnfc", &S::listLevelFormat, 0},
    {"levelnfcn", &S::listLevelFormat, 0},
    {"listid", &S::listId, 0},
    {"leveltext", &S::beginSkip, 0},
    {"levelnumbers", &S::beginSkip, 0},
    {"listname", &S::beginSkip, 0},
};

const RtfKeyword kOverrideWords[] = {
    {"listoverride", &S::overrideBegin, 0},
    {"listid", &S::overrideListId, 0},
    {"ls", &S::overrideLs, 0},
};

const RtfKeyword kNumberingWords[] = {
    {"pnlvlblt", &S::numberingKind, static_cast<int>(RtfListKind::Bullet)},
    {"pnlvlbody", &S::numberingKind, static_cast<int>(RtfListKind::Numbered)},
    {"pnlvl", &S::numberingKind, static_cast<int>(RtfListKind::Numbered)},
    {"pnlvlcont", &S::numberingKind, static_cast<int>(RtfListKind::None)},
    {"pndec", &S::numberingStyle, QTextListFormat::ListDecimal},
    {"pnucltr", &S::numberingStyle, QTextListFormat::ListUpperAlpha},
    {"pnlcltr", &S::numberingStyle, QTextListFormat::ListLowerAlpha},
    {"pnucrm", &S::numberingStyle, QTextListFormat::ListUpperRoman},
    {"pnlcrm", &S::numberingStyle, QTextListFormat::ListLowerRoman},
    {"pntxtb", &S::beginSkip, 0},
    {"pntxta", &S::beginSkip, 0},
};

template <size_t N>
RtfKeywordTable MakeTable(const RtfKeyword (&words)[N]) {
  RtfKeywordTable table;
  for (const RtfKeyword& keyword : words) table.emplace(keyword.word, &keyword);
  return table;
}

}  // namespace

const RtfKeywordTable& KeywordTableFor(RtfDestination destination) {
  // Looked up for every control word: one object, built once.
  static const struct {
    RtfKeywordTable body = MakeTable(kBodyWords);
    RtfKeywordTable picture = MakeTable(kPictureWords);
    RtfKeywordTable font = MakeTable(kFontWords);
    RtfKeywordTable color = MakeTable(kColorWords);
    RtfKeywordTable object = MakeTable(kObjectWords);
    RtfKeywordTable list = MakeTable(kListWords);
    RtfKeywordTable overrides = MakeTable(kOverrideWords);
    RtfKeywordTable numbering = MakeTable(kNumberingWords);
    RtfKeywordTable shape = MakeTable(kShapeWords);
    RtfKeywordTable shapeValue = MakeTable(kShapeValueWords);
    RtfKeywordTable kept = MakeTable(kKeptWords);
    RtfKeywordTable none;
  } tables;
  switch (destination) {
    case D::Body: return tables.body;
    case D::Picture: return tables.picture;
    case D::FontTable: return tables.font;
    case D::ColorTable: return tables.color;
    case D::Object: return tables.object;
    case D::ListTable: return tables.list;
    case D::ListOverrideTable: return tables.overrides;
    case D::Numbering: return tables.numbering;
    case D::ShapeInstructions: return tables.shape;
    case D::ShapeValue: return tables.shapeValue;
    case D::Kept: return tables.kept;
    default: return tables.none;
  }
}

// Handlers whose meaning lives in the tables' arguments.

void RtfReadSession::setCharFlag(const RtfToken& t, int which) {
  const bool on = !t.hasParam || t.param != 0;
  RtfCharState& ch = state().ch;
  switch (which) {
    case kBold: ch.bold = on; break;
    case kItalic: ch.italic = on; break;
    case kStrike: ch.strike = on; break;
    default: ch.hidden = on; break;
  }
}

void RtfReadSession::setUnderline(const RtfToken& t, int on) {
  state().ch.underline = on != 0 && (!t.hasParam || t.param != 0);
}

void RtfReadSession::setParaValue(const RtfToken& t, int which) {
  constexpr int kLimit = 31680 * 4;  // twice a 22-inch page: anything beyond is damage
  const int value = t.hasParam ? std::clamp(t.param, -kLimit, kLimit) : 0;
  RtfParaState& para = state().para;
  switch (which) {
    case kLi: para.li = value; break;
    case kRi: para.ri = value; break;
    case kFi: para.fi = value; break;
    case kSb: para.sb = std::max(0, value); break;
    case kSa: para.sa = std::max(0, value); break;
    case kSl: para.sl = value; break;
    case kSlMult: para.slMult = !t.hasParam || t.param != 0; break;
    default: para.pageBreakBefore = !t.hasParam || t.param != 0; break;
  }
}

void RtfReadSession::pictureValue(const RtfToken& t, int which) {
  if (!picture_) return;
  const int value = t.hasParam ? std::clamp(t.param, 0, 1 << 24) : 0;
  switch (which) {
    case kPicW: picture_->picw = value; break;
    case kPicH: picture_->pich = value; break;
    case kGoalW: picture_->goalw = value; break;
    case kGoalH: picture_->goalh = value; break;
    case kScaleX: picture_->scalex = value; break;
    case kScaleY: picture_->scaley = value; break;
    case kBitsPixel: picture_->bitsPixel = value; break;
    default: picture_->widthBytes = value; break;
  }
}

}  // namespace orlane
