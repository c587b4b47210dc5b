// The reader's handlers for tables, destinations and formatting, and the
// turning of group state into document formats.
#include "diary/ole_package.h"
#include "diary/page_objects.h"
#include "diary/rtf_read_session.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <cmath>

namespace orlane {

namespace {
constexpr int kMaxFonts = 4096;
constexpr int kMaxLists = 1024;
// Adding a paragraph to a QTextList costs work in proportion to the list's
// length (Qt marks every item for layout again), so a long run of items is
// built as a chain of lists of at most this many. Bullets look and save the
// same either way; numbers start again after each chain link, so numbered
// lists get a longer one.
constexpr int kBulletListLength = 32;
constexpr int kNumberedListLength = 256;
}  // namespace

void RtfReadSession::beginDestination(const RtfToken&, int destination) {
  const auto d = static_cast<RtfDestination>(destination);
  if ((d == RtfDestination::ObjectData || d == RtfDestination::ObjectClass) && !object_) {
    state().destination = RtfDestination::Skip;
    return;
  }
  if (d == RtfDestination::FontTable) currentFont_ = -1;
  if (d == RtfDestination::ColorTable) red_ = green_ = blue_ = -1;
  state().destination = d;
}

void RtfReadSession::beginShppict(const RtfToken&, int) {
  shppictInserted_ = false;
  state().destination = RtfDestination::Body;
  state().inShppict = true;
}

// A shape's picture stands for the shape; its result is then not needed.
void RtfReadSession::beginShape(const RtfToken&, int) {
  shppictInserted_ = false;
  state().destination = RtfDestination::ShapeInstructions;
  state().inShppict = true;
}

// Word gives a picture twice: as PNG in \shppict and as a metafile in
// \nonshppict for older readers. The second is needed only when the first failed.
void RtfReadSession::beginNonShppict(const RtfToken&, int) {
  state().destination = shppictInserted_ ? RtfDestination::Skip : RtfDestination::Body;
  shppictInserted_ = false;
}

void RtfReadSession::beginObjectResult(const RtfToken&, int) {
  state().destination = RtfDestination::Body;
  state().inObjectResult = object_.has_value();
}

void RtfReadSession::beginNumbering(const RtfToken&, int) {
  state().destination = RtfDestination::Numbering;
  state().targetFrame = static_cast<int>(stack_.size()) - 2;
  if (state().targetFrame >= 0) {
    RtfParaState& para = stack_[static_cast<size_t>(state().targetFrame)].para;
    para.list = RtfListKind::Numbered;
    para.numberStyle = QTextListFormat::ListDecimal;
  }
}

void RtfReadSession::beginPicture(const RtfToken&, int) {
  if (picture_) {  // a picture inside a picture
    state().destination = RtfDestination::Skip;
    return;
  }
  flushRun();
  picture_.emplace();
  pictureFrame_ = static_cast<int>(stack_.size()) - 1;
  state().destination = RtfDestination::Picture;
}

void RtfReadSession::beginObject(const RtfToken&, int) {
  if (object_) {  // objects inside objects show only their result
    return;
  }
  flushRun();
  object_.emplace();
  object_->frame = static_cast<int>(stack_.size()) - 1;
  state().destination = RtfDestination::Object;
}

void RtfReadSession::setCodePage(const RtfToken& t, int codePage) {
  if (codePage == 0) {
    if (t.hasParam && t.param > 0 && t.param < 100000) documentCodePage_ = t.param;
  } else {
    documentCodePage_ = codePage;
  }
}

void RtfReadSession::setFontSize(const RtfToken& t, int twipsPerUnit) {
  const int units = t.hasParam ? t.param : 24 * 10 / twipsPerUnit;
  // Sizes run from 1 to 1638 points in RTF; damaged numbers are clamped.
  state().ch.twips = std::clamp(units, 1, 32760 / twipsPerUnit) * twipsPerUnit;
  if (units <= 0) state().ch.twips = 240;
}

void RtfReadSession::setFont(const RtfToken& t, int) {
  state().ch.font = t.hasParam ? t.param : -1;
}

void RtfReadSession::setColor(const RtfToken& t, int which) {
  const int index = t.hasParam ? std::max(0, t.param) : 0;
  if (which == 0) {
    state().ch.foreground = index;
  } else {
    state().ch.background = index;
  }
}

void RtfReadSession::plain(const RtfToken&, int) {
  state().ch = RtfCharState();
}

void RtfReadSession::pard(const RtfToken&, int) {
  state().para = RtfParaState();
}

void RtfReadSession::setListOverride(const RtfToken& t, int which) {
  const int value = t.hasParam ? t.param : 0;
  if (which == 1) {
    state().para.ilvl = std::clamp(value, 0, 8);
    return;
  }
  state().para.ls = value;
  if (value <= 0) {
    state().para.list = RtfListKind::None;
    return;
  }
  RtfParaState& para = state().para;
  switch (listFormatOf(value)) {
    case 0:
      para.list = RtfListKind::Numbered;
      para.numberStyle = QTextListFormat::ListDecimal;
      break;
    case 1:
      para.list = RtfListKind::Numbered;
      para.numberStyle = QTextListFormat::ListUpperRoman;
      break;
    case 2:
      para.list = RtfListKind::Numbered;
      para.numberStyle = QTextListFormat::ListLowerRoman;
      break;
    case 3:
      para.list = RtfListKind::Numbered;
      para.numberStyle = QTextListFormat::ListUpperAlpha;
      break;
    case 4:
      para.list = RtfListKind::Numbered;
      para.numberStyle = QTextListFormat::ListLowerAlpha;
      break;
    case 255: para.list = RtfListKind::None; break;
    default: para.list = RtfListKind::Bullet; break;
  }
}

// The number format of an \ls list, through the override and list tables
// read in the header; a bullet when the tables do not say.
int RtfReadSession::listFormatOf(int ls) {
  if (listTablesChanged_) {
    listTablesChanged_ = false;
    formatOfLs_.clear();
    std::unordered_map<int, int> formatOfList;
    for (const RtfListDefinition& list : lists_) formatOfList[list.id] = list.formats[0];
    for (const auto& [number, listId] : overrides_) {
      const auto found = formatOfList.find(listId);
      if (found != formatOfList.end()) formatOfLs_[number] = found->second;
    }
  }
  const auto found = formatOfLs_.find(ls);
  return found == formatOfLs_.end() ? 23 : found->second;
}

// Font table

void RtfReadSession::fontEntry(const RtfToken& t, int) {
  if (!t.hasParam || (fonts_.size() >= kMaxFonts && !fonts_.count(t.param))) {
    currentFont_ = -1;
    return;
  }
  currentFont_ = t.param;
  fonts_[currentFont_] = RtfFont();
}

void RtfReadSession::fontCharset(const RtfToken& t, int) {
  if (currentFont_ < 0 || !t.hasParam) return;
  const int page = CodePageOfCharset(t.param);
  if (page > 0) fonts_[currentFont_].codePage = page;
}

void RtfReadSession::fontCodePage(const RtfToken& t, int) {
  if (currentFont_ < 0 || !t.hasParam || t.param <= 0 || t.param >= 100000) return;
  fonts_[currentFont_].codePage = t.param;
}

int RtfReadSession::codePageOfFont(int font) const {
  const auto found = fonts_.find(font < 0 ? defaultFont_ : font);
  if (found != fonts_.end() && found->second.codePage > 0) return found->second.codePage;
  return documentCodePage_;
}

// Colour table

void RtfReadSession::colorComponent(const RtfToken& t, int which) {
  const int value = t.hasParam ? std::clamp(t.param, 0, 255) : 0;
  if (which == 0) red_ = value;
  if (which == 1) green_ = value;
  if (which == 2) blue_ = value;
}

std::optional<QColor> RtfReadSession::colorAt(int index) const {
  if (index <= 0 || index >= static_cast<int>(colors_.size())) return std::nullopt;
  return colors_[static_cast<size_t>(index)];
}

// Pictures and objects

void RtfReadSession::pictureKind(const RtfToken& t, int kind) {
  if (!picture_) return;
  picture_->kind = static_cast<RtfPictureKind>(kind);
  AppendPictureWord(t, *picture_);
}

void RtfReadSession::finishPicture() {
  RtfPicture picture = std::move(*picture_);
  picture_.reset();
  pictureFrame_ = -1;
  if (picture.oversized) noteError(QStringLiteral("A picture larger than 64 MB was left out."));
  // The size a picture says it has decides, before anything is decoded,
  // whether it fits the page's budget; beyond it the picture is kept unread.
  const QSize declared = DeclaredPictureSize(picture);
  const qint64 pixels = qint64(declared.width()) * declared.height();
  if (!declared.isEmpty() && (pixels > kMaxPicturePixels || pixels > pixelsLeft_)) {
    keepPicture(picture, declared);
    return;
  }
  DecodedPicture decoded;
  if (!DecodePicture(picture, decoded)) return;
  pixelsLeft_ -= qint64(decoded.pixelSize.width()) * decoded.pixelSize.height();
  if (state().inObjectResult && object_) {
    object_->result = std::move(decoded);
    return;
  }
  insertDecodedPicture(decoded);
  if (state().inShppict) shppictInserted_ = true;
}

void RtfReadSession::keepPicture(const RtfPicture& picture, QSize declared) {
  DecodedPicture stand = PicturePlaceholder(picture, declared);
  if (state().inObjectResult && object_) {
    object_->result = std::move(stand);
    return;
  }
  flushRun();
  ensureBlock();
  InsertKeptPicture(cursor_, stand.resource, stand.displaySize, picture.header, picture.data);
  if (state().inShppict) shppictInserted_ = true;
}

void RtfReadSession::insertDecodedPicture(const DecodedPicture& picture) {
  flushRun();
  ensureBlock();
  InsertPageImage(cursor_, picture.resource, picture.displaySize);
}

void RtfReadSession::finishObject() {
  RtfObjectInProgress object = std::move(*object_);
  object_.reset();
  OlePackage package;
  const bool isPackage = DecodeOlePackage(object.data.data, package);
  if (object.data.oversized) noteError(QStringLiteral("An attached file larger than 64 MB was left out."));
  if (!object.result) {
    if (!isPackage) return;
    // A package without a picture still keeps its file, shown as a blank icon.
    QImage blank(48, 48, QImage::Format_RGB32);
    blank.fill(Qt::white);
    DecodedPicture stand;
    stand.resource = blank;
    stand.pixelSize = blank.size();
    object.result = stand;
  }
  if (!isPackage) {
    insertDecodedPicture(*object.result);
    return;
  }
  QImage icon;
  const QVariant& resource = object.result->resource;
  icon = resource.typeId() == QMetaType::QImage ? qvariant_cast<QImage>(resource)
                                                : QImage::fromData(resource.toByteArray());
  flushRun();
  ensureBlock();
  InsertAttachment(cursor_, package.fileName, package.data, icon);
}

// Lists

void RtfReadSession::listBegin(const RtfToken&, int) {
  listTablesChanged_ = true;
  if (lists_.size() < kMaxLists) lists_.emplace_back();
}

void RtfReadSession::listLevel(const RtfToken&, int) {
  listTablesChanged_ = true;
  if (!lists_.empty()) ++lists_.back().levelCount;
}

void RtfReadSession::listLevelFormat(const RtfToken& t, int) {
  listTablesChanged_ = true;
  if (lists_.empty() || !t.hasParam) return;
  RtfListDefinition& list = lists_.back();
  const int level = list.levelCount - 1;
  if (level >= 0 && level < 9) list.formats[level] = t.param;
}

void RtfReadSession::listId(const RtfToken& t, int) {
  listTablesChanged_ = true;
  if (!lists_.empty() && t.hasParam) lists_.back().id = t.param;
}

void RtfReadSession::overrideBegin(const RtfToken&, int) {
  listTablesChanged_ = true;
  if (overrides_.size() < kMaxLists) overrides_.emplace_back(0, 0);
}

void RtfReadSession::overrideListId(const RtfToken& t, int) {
  listTablesChanged_ = true;
  if (!overrides_.empty() && t.hasParam) overrides_.back().second = t.param;
}

void RtfReadSession::overrideLs(const RtfToken& t, int) {
  listTablesChanged_ = true;
  if (!overrides_.empty() && t.hasParam) overrides_.back().first = t.param;
}

void RtfReadSession::numberingKind(const RtfToken& t, int kind) {
  if (state().targetFrame < 0) return;
  RtfParaState& para = stack_[static_cast<size_t>(state().targetFrame)].para;
  para.list = static_cast<RtfListKind>(kind);
  if (t.word == "pnlvl" && t.hasParam) para.ilvl = std::clamp(t.param - 1, 0, 8);
}

void RtfReadSession::numberingStyle(const RtfToken&, int style) {
  if (state().targetFrame < 0) return;
  stack_[static_cast<size_t>(state().targetFrame)].para.numberStyle = static_cast<QTextListFormat::Style>(style);
}

// Formats

QTextCharFormat RtfReadSession::charFormat(const RtfCharState& ch) const {
  QTextCharFormat format;
  const auto font = fonts_.find(ch.font < 0 ? defaultFont_ : ch.font);
  if (font != fonts_.end() && !font->second.name.isEmpty()) format.setFontFamilies(QStringList{font->second.name});
  format.setFontPointSize(ch.twips / 20.0);
  if (ch.bold) format.setFontWeight(QFont::Bold);
  if (ch.italic) format.setFontItalic(true);
  if (ch.underline) format.setFontUnderline(true);
  if (ch.strike) format.setFontStrikeOut(true);
  if (ch.vertical == 1) format.setVerticalAlignment(QTextCharFormat::AlignSuperScript);
  if (ch.vertical == 2) format.setVerticalAlignment(QTextCharFormat::AlignSubScript);
  if (const auto color = colorAt(ch.foreground)) format.setForeground(*color);
  if (const auto color = colorAt(ch.background)) format.setBackground(*color);
  return format;
}

void RtfReadSession::finishParagraph() {
  const RtfParaState& para = state().para;
  QTextBlockFormat format;
  static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight, Qt::AlignJustify};
  format.setAlignment(kAlign[std::clamp(para.align, 0, 3)]);
  if (para.list == RtfListKind::None) {
    if (para.li) format.setLeftMargin(para.li / kTwipsPerPixel);
    if (para.fi) format.setTextIndent(para.fi / kTwipsPerPixel);
  }
  if (para.ri) format.setRightMargin(para.ri / kTwipsPerPixel);
  if (para.sb) format.setTopMargin(para.sb / kTwipsPerPixel);
  if (para.sa) format.setBottomMargin(para.sa / kTwipsPerPixel);
  if (para.sl != 0) {
    if (para.slMult && para.sl > 0) {
      format.setLineHeight(para.sl * 100.0 / 240.0, QTextBlockFormat::ProportionalHeight);
    } else if (!para.slMult) {
      format.setLineHeight(std::abs(para.sl) / kTwipsPerPixel,
                           para.sl > 0 ? QTextBlockFormat::MinimumHeight : QTextBlockFormat::FixedHeight);
    }
  }
  if (para.pageBreakBefore) format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
  cursor_.setBlockFormat(format);
  applyList(para);
}

void RtfReadSession::applyList(const RtfParaState& para) {
  QTextBlock block = cursor_.block();
  if (para.list == RtfListKind::None) {
    if (QTextList* list = block.textList()) list->remove(block);
    lastList_ = nullptr;
    return;
  }
  const int indent =
      para.ls > 0 || para.ilvl > 0 ? para.ilvl + 1 : std::clamp(static_cast<int>(std::lround(para.li / 720.0)), 1, 9);
  const QTextListFormat::Style style = para.list == RtfListKind::Bullet ? QTextListFormat::ListDisc : para.numberStyle;
  const int maxLength = para.list == RtfListKind::Bullet ? kBulletListLength : kNumberedListLength;
  const bool same = lastList_ && lastListPara_.list == para.list && lastListPara_.ls == para.ls &&
                    lastList_->format().style() == style && lastList_->format().indent() == indent &&
                    lastListLength_ < maxLength;
  if (same && !block.textList()) {
    lastList_->add(block);
    ++lastListLength_;
  } else if (!block.textList()) {
    QTextListFormat format;
    format.setStyle(style);
    format.setIndent(indent);
    lastList_ = cursor_.createList(format);
    lastListLength_ = 1;
  }
  lastListPara_ = para;
}

}  // namespace orlane
