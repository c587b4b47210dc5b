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

QString KeptPictureTip() {
  return QStringLiteral("This picture cannot be shown here. It is kept as it is.");
}
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
  shppictFrame_ = static_cast<int>(stack_.size()) - 1;
  undecodedInShppict_.clear();
  markKeptFrom();
  state().destination = RtfDestination::Body;
  state().inShppict = true;
  state().inPictureGroup = true;
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
  // Only the group right after the first copy, beside it, is its second copy.
  if (pendingAlternative_ && pendingAlternative_->alternativeFrame < 0) {
    const RtfGroupState& group = state();
    const qsizetype end = pendingAlternative_->end;
    const bool besideIt = static_cast<int>(stack_.size()) - 1 == pendingAlternative_->frame && startsItsGroup() &&
                          group.openOffset >= end && input_.sliced(end, group.openOffset - end).trimmed().isEmpty();
    if (!besideIt) flushPendingAlternative();
  }
  if (pendingAlternative_ && pendingAlternative_->alternativeFrame < 0) {
    state().destination = RtfDestination::Body;
    state().inKeptAlternative = true;
    pendingAlternative_->alternativeFrame = static_cast<int>(stack_.size()) - 1;
    return;
  }
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
  markKeptFrom();
  state().destination = RtfDestination::Picture;
}

void RtfReadSession::beginObject(const RtfToken&, int) {
  if (object_) {  // objects inside objects show only their result
    return;
  }
  flushRun();
  object_.emplace();
  object_->frame = static_cast<int>(stack_.size()) - 1;
  markKeptFrom();
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
  runFormat_.reset();
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

void RtfReadSession::pictureKind(const RtfToken&, int kind) {
  if (picture_) picture_->kind = static_cast<RtfPictureKind>(kind);
}

void RtfReadSession::objectSize(const RtfToken& t, int which) {
  if (!object_) return;
  const int value = t.hasParam ? std::clamp(t.param, 0, 1 << 24) : 0;
  (which == 0 ? object_->widthTwips : object_->heightTwips) = value;
}

// A picture that cannot be shown (a metafile, damaged, too large) is kept as
// its group and shown as a frame of its size.
void RtfReadSession::finishPicture(const QByteArray& group) {
  RtfPicture picture = std::move(*picture_);
  picture_.reset();
  pictureFrame_ = -1;
  // The size a picture says it has decides, before anything is decoded,
  // whether it fits the page's budget; beyond it the picture is kept unread.
  const QSize declared = DeclaredPictureSize(picture);
  const qint64 pixels = qint64(declared.width()) * declared.height();
  const bool overBudget = !declared.isEmpty() && (pixels > kMaxPicturePixels || pixels > pixelsLeft_);
  DecodedPicture decoded;
  const bool decodable = !overBudget && DecodePicture(picture, decoded);
  if (decodable) pixelsLeft_ -= qint64(decoded.pixelSize.width()) * decoded.pixelSize.height();
  if (state().inObjectResult && object_) {
    if (decodable) {
      object_->result = std::move(decoded);
    } else {
      object_->resultSize = UndecodedPictureSize(picture);
    }
    return;
  }
  if (state().inKeptAlternative && pendingAlternative_) {
    if (decodable && !pendingAlternative_->shown) pendingAlternative_->shown = std::move(decoded);
    return;
  }
  if (decodable) {
    insertDecodedPicture(decoded);
    // Word's second copy of the same picture, for older readers, is then not needed.
    if (state().inShppict) shppictInserted_ = true;
  } else if (state().inShppict && shppictFrame_ >= 0) {
    undecodedInShppict_.push_back({group, UndecodedPictureSize(picture)});  // settled when its group closes
  } else {
    // A picture beyond the budget stands in at a size that fits the page.
    const QSizeF size = overBudget ? PicturePlaceholder(picture, declared).displaySize : UndecodedPictureSize(picture);
    insertKept(group, PlaceholderPicture(size.toSize()), size, KeptPictureTip());
    if (state().inShppict) shppictInserted_ = true;  // a shape's result is another copy
  }
}

// Without a second copy the first group is kept alone, before anything that follows it.
void RtfReadSession::flushPendingAlternative() {
  if (!pendingAlternative_ || pendingAlternative_->alternativeFrame >= 0) return;
  const RtfPendingAlternative pending = std::move(*pendingAlternative_);
  pendingAlternative_.reset();
  shppictInserted_ = true;
  insertKept(pending.firstGroup, PlaceholderPicture(pending.size.toSize()), pending.size, KeptPictureTip());
}

// A \shppict (or shape) group whose pictures could not all be shown: when
// none could, the group waits for its second copy; else each is kept alone.
void RtfReadSession::finishShppict(int frame) {
  shppictFrame_ = -1;
  const std::vector<UndecodedPicture> undecoded = std::move(undecodedInShppict_);
  undecodedInShppict_.clear();
  if (undecoded.empty()) return;
  if (!shppictInserted_) {
    flushRun();  // the words before the picture stay before it
    const RtfGroupState& group = stack_[static_cast<size_t>(frame)];
    pendingAlternative_ = RtfPendingAlternative{group.keptFrom >= 0 ? group.keptFrom : group.openOffset + 1,
                                                tokenizer_.position(),
                                                frame,
                                                groupBytes(frame),
                                                undecoded.front().size,
                                                {},
                                                -1};
    return;
  }
  for (const UndecodedPicture& p : undecoded)
    insertKept(p.group, PlaceholderPicture(p.size.toSize()), p.size, KeptPictureTip());
}

void RtfReadSession::finishAlternative() {
  const RtfPendingAlternative pending = std::move(*pendingAlternative_);
  pendingAlternative_.reset();
  if (closingAtEnd_ || pending.firstGroup.isEmpty()) {
    if (pending.shown) insertDecodedPicture(*pending.shown);
    return;
  }
  const QByteArray pair = '{' + input_.sliced(pending.start, tokenizer_.position() - pending.start).toByteArray();
  if (pending.shown) {
    insertKept(pair, pending.shown->resource, pending.shown->displaySize, QString());
  } else {
    insertKept(pair, PlaceholderPicture(pending.size.toSize()), pending.size, KeptPictureTip());
  }
}

void RtfReadSession::insertKept(const QByteArray& group, const QVariant& picture, QSizeF size, const QString& toolTip) {
  if (group.isEmpty()) return;
  footnoteMarkBefore_ = false;
  flushRun();
  ensureBlock();
  InsertKeptRtf(cursor_, group, picture, size, toolTip);
}

void RtfReadSession::insertDecodedPicture(const DecodedPicture& picture) {
  flushRun();
  ensureBlock();
  InsertPageImage(cursor_, picture.resource, picture.displaySize);
}

// An attached file becomes one the editor opens; any other object (a
// spreadsheet, a drawing, a file too large to decode) is kept as its group,
// shown by its result picture or a frame of its size.
void RtfReadSession::finishObject(const QByteArray& group) {
  RtfObjectInProgress object = std::move(*object_);
  object_.reset();
  OlePackage package;
  const bool isPackage = !object.data.oversized && DecodeOlePackage(object.data.data, package);
  if (!isPackage && group.isEmpty()) {  // never closed: only what it shows can be kept
    if (object.result) insertDecodedPicture(*object.result);
    return;
  }
  if (!isPackage) {
    QSizeF size = object.resultSize;
    if (object.widthTwips > 0 && object.heightTwips > 0)
      size = QSizeF(object.widthTwips / kTwipsPerPixel, object.heightTwips / kTwipsPerPixel);
    if (object.result) size = object.result->displaySize;
    if (size.isEmpty()) size = QSizeF(96, 64);
    const QVariant picture = object.result ? object.result->resource : QVariant(PlaceholderPicture(size.toSize()));
    insertKept(group, picture, size, QStringLiteral("This object cannot be opened here. It is kept as it is."));
    return;
  }
  if (!object.result) {
    // A package without a picture still keeps its file, shown as a blank icon.
    QImage blank(48, 48, QImage::Format_RGB32);
    blank.fill(Qt::white);
    DecodedPicture stand;
    stand.resource = blank;
    stand.pixelSize = blank.size();
    object.result = stand;
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
  if (ch.link >= 0 && ch.link < static_cast<int>(links_.size())) {
    format.setAnchor(true);
    format.setAnchorHref(links_[static_cast<size_t>(ch.link)]);
  }
  return format;
}

const QTextCharFormat& RtfReadSession::runFormat() {
  if (!runFormat_ || !(runFormat_->first == runState_)) runFormat_.emplace(runState_, charFormat(runState_));
  return runFormat_->second;
}

const QTextBlockFormat& RtfReadSession::blockFormat(const RtfParaState& para) {
  if (blockFormat_ && blockFormat_->first == para) return blockFormat_->second;
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
  blockFormat_.emplace(para, format);
  return blockFormat_->second;
}

void RtfReadSession::finishParagraph() {
  const RtfParaState& para = state().para;
  if (!(insertedAs_ && *insertedAs_ == para)) cursor_.setBlockFormat(blockFormat(para));
  insertedAs_.reset();
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
