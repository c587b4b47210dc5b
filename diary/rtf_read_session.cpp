#include "diary/rtf_read_session.h"

#include "diary/ole_package.h"
#include "diary/page_objects.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace orlane {

namespace {
// Control characters other than the tab, and the object mark that only
// pictures may carry, are not page text.
bool IsNonText(char16_t u) {
  return (u < 0x20 && u != '\t') || u == 0xFFFC || u == 0xFFFE || u == 0xFFFF;
}

// Where QTextCursor::insertText starts a new block (besides the line ends,
// which are not page text).
bool SplitsBlock(char16_t u) {
  return u == 0x2029 || u == 0xFDD0 || u == 0xFDD1;
}

// Whether text may hold either kind, eight characters at a time: most runs
// hold none. A true answer is checked again one character at a time.
bool MayNeedCleaning(QStringView text) {
  // As signed numbers, U+FDD0 to U+FFFF and the control characters are one
  // range, -560 to 31.
  typedef std::int16_t Chars8 __attribute__((vector_size(16)));
  const char16_t* chars = text.utf16();
  qsizetype i = 0;
  for (; i + 8 <= text.size(); i += 8) {
    Chars8 v;
    std::memcpy(&v, chars + i, sizeof v);
    const auto hits = ((v >= -560) & (v < 0x20) & (v != '\t')) | (v == 0x2029);
    std::uint64_t halves[2];
    std::memcpy(halves, &hits, sizeof halves);
    if ((halves[0] | halves[1]) != 0) return true;
  }
  for (; i < text.size(); ++i)
    if (IsNonText(chars[i]) || SplitsBlock(chars[i])) return true;
  return false;
}
}  // namespace

RtfReadSession::RtfReadSession(QByteArrayView input, QTextDocument& document)
    : input_(input), tokenizer_(input), document_(document), cursor_(&document) {
  stack_.reserve(64);
  stack_.emplace_back();
}

RtfReadSession::~RtfReadSession() = default;

void RtfReadSession::noteError(const QString& message) {
  if (error_.isEmpty()) error_ = message;
}

void RtfReadSession::run() {
  document_.clear();
  cursor_ = QTextCursor(&document_);
  cursor_.beginEditBlock();
  // The outermost group is the document; reading stops when it closes.
  bool opened = false;
  while (!finished_) {
    tokenStart_ = tokenizer_.position();
    const RtfToken token = tokenizer_.next();
    // \* marks only the control word right after it.
    if (token.type != RtfTokenType::ControlWord && !(token.type == RtfTokenType::ControlSymbol && token.word == "*"))
      ignorableNext_ = false;
    switch (token.type) {
      case RtfTokenType::End: finished_ = true; break;
      case RtfTokenType::GroupOpen:
        if (!opened) {
          opened = true;
        } else {
          openGroup(tokenizer_.position() - 1);
        }
        break;
      case RtfTokenType::GroupClose:
        if (stack_.size() <= 1 && overflowDepth_ == 0) {
          finished_ = true;
          closedOuter_ = true;
        } else {
          closeGroup();
        }
        break;
      case RtfTokenType::ControlWord: controlWord(token); break;
      case RtfTokenType::ControlSymbol: controlSymbol(token); break;
      case RtfTokenType::Text: text(token.data); break;
      case RtfTokenType::Binary: binary(token.data); break;
    }
  }
  if (!closedOuter_ || stack_.size() > 1 || overflowDepth_ > 0) {
    noteError(QStringLiteral("The RTF text ends before all its groups are closed."));
    closingAtEnd_ = true;
    while (stack_.size() > 1) closeGroup();
  }
  flushRun();
  if (!needBlock_) finishParagraph();
  cursor_.endEditBlock();
}

void RtfReadSession::openGroup(qsizetype offset) {
  skipCount_ = 0;
  if (overflowDepth_ > 0 || static_cast<int>(stack_.size()) >= kMaxGroupDepth) {
    if (overflowDepth_ == 0)
      noteError(QStringLiteral("The RTF groups are nested too deeply; the deepest were left out."));
    ++overflowDepth_;
    return;
  }
  stack_.push_back(stack_.back());
  state().openOffset = offset;
  state().keptFrom = -1;
  state().isField = false;
}

QByteArray RtfReadSession::groupBytes(int frame) const {
  if (closingAtEnd_) return {};
  const RtfGroupState& group = stack_[static_cast<size_t>(frame)];
  const qsizetype from = group.keptFrom >= 0 ? group.keptFrom : group.openOffset + 1;
  return '{' + input_.sliced(from, tokenizer_.position() - from).toByteArray();
}

void RtfReadSession::closeGroup() {
  skipCount_ = 0;
  ignorableNext_ = false;
  if (overflowDepth_ > 0) {
    --overflowDepth_;
    return;
  }
  const int frame = static_cast<int>(stack_.size()) - 1;
  if (frame <= 0) return;
  if (state().destination == RtfDestination::Body && !(stack_[frame - 1].ch == state().ch)) flushRun();
  // Some writers leave out the semicolon after the last entry of a table.
  if (state().destination == RtfDestination::FontTable) finishFontName();
  if (state().destination == RtfDestination::ColorTable && stack_[frame - 1].destination != RtfDestination::ColorTable)
    finishColorEntry(false);
  if (picture_ && frame == pictureFrame_) finishPicture(groupBytes(frame));
  if (frame == shppictFrame_) finishShppict(frame);
  if (pendingAlternative_ && frame == pendingAlternative_->alternativeFrame) finishAlternative();
  if (frame == fieldInstructionFrame_) finishFieldInstruction(frame);
  if (frame == keptFrame_) finishKept(frame);
  if (object_ && frame == object_->frame) {
    const QByteArray group = groupBytes(frame);
    stack_.pop_back();
    finishObject(group);
    return;
  }
  stack_.pop_back();
}

void RtfReadSession::controlWord(const RtfToken& token) {
  const bool ignorable = ignorableNext_;
  wordStart_ = ignorable ? ignorableStart_ : tokenStart_;
  ignorableNext_ = false;
  if (overflowDepth_ > 0 || state().destination == RtfDestination::Skip) return;
  if (consumeSkip()) return;
  const RtfKeywordTable& table = KeywordTableFor(state().destination);
  const std::string_view word(token.word.data(), static_cast<size_t>(token.word.size()));
  const auto found = table.find(word);
  if (found != table.end()) {
    (this->*(found->second->handler))(token, found->second->arg);
    return;
  }
  // The \u word means the same in every destination that keeps text.
  if (word == "u") {
    unicodeChar(token, 0);
    return;
  }
  if (!ignorable) return;
  // Another program's destination in the page travels with it unseen.
  if (state().destination == RtfDestination::Body && startsItsGroup()) {
    beginKept(token, 0);
  } else {
    state().destination = RtfDestination::Skip;
  }
}

void RtfReadSession::controlSymbol(const RtfToken& token) {
  if (overflowDepth_ > 0 || state().destination == RtfDestination::Skip) return;
  const char symbol = token.word.isEmpty() ? '\0' : token.word.front();
  if (symbol == '*') {
    ignorableNext_ = true;
    ignorableStart_ = tokenStart_;
    return;
  }
  if (symbol == '\'') {
    if (skipCount_ > 0) {
      --skipCount_;
      return;
    }
    if (token.hasParam) hexByte(token.param);
    return;
  }
  if (consumeSkip()) return;
  switch (symbol) {
    case '\\':
    case '{':
    case '}': text(token.word); break;
    case '~': specialChar(token, 0x00A0); break;
    case '_': specialChar(token, 0x2011); break;
    case '\n': paragraphMark(token, 0); break;
    default: break;  // \- optional hyphen, \: index entries, \| formula marks
  }
}

// The characters after \uN that stand in for it in older readers.
bool RtfReadSession::consumeSkip() {
  if (skipCount_ <= 0) return false;
  --skipCount_;
  return true;
}

void RtfReadSession::text(QByteArrayView bytes) {
  if (overflowDepth_ > 0) return;
  if (skipCount_ > 0) {
    const qsizetype skipped = std::min<qsizetype>(skipCount_, bytes.size());
    skipCount_ -= static_cast<int>(skipped);
    bytes = bytes.sliced(skipped);
    if (bytes.isEmpty()) return;
  }
  switch (state().destination) {
    case RtfDestination::Body: appendBytes(bytes); break;
    case RtfDestination::Picture:
      if (picture_) AppendPictureHex(bytes, *picture_);
      break;
    case RtfDestination::ObjectData:
      if (object_) AppendPictureHex(bytes, object_->data);
      break;
    case RtfDestination::ObjectClass:
      if (object_ && object_->className.size() < 256) object_->className.append(bytes);
      break;
    case RtfDestination::FieldInstruction: appendInstruction(bytes); break;
    case RtfDestination::Kept: appendKeptText(bytes); break;
    case RtfDestination::FontTable:
      for (const char c : bytes) hexByte(static_cast<unsigned char>(c));
      break;
    case RtfDestination::ColorTable:
      for (const char c : bytes)
        if (c == ';') finishColorEntry(true);
      break;
    default: break;
  }
}

void RtfReadSession::binary(QByteArrayView bytes) {
  if (overflowDepth_ > 0) return;
  if (state().destination == RtfDestination::Picture && picture_) AppendPictureBinary(bytes, *picture_);
  if (state().destination == RtfDestination::ObjectData && object_) AppendPictureBinary(bytes, object_->data);
}

void RtfReadSession::hexByte(int value) {
  const char byte = static_cast<char>(value & 0xFF);
  switch (state().destination) {
    case RtfDestination::Body: appendBytes(QByteArrayView(&byte, 1)); break;
    case RtfDestination::FieldInstruction: appendInstruction(QByteArrayView(&byte, 1)); break;
    case RtfDestination::Kept: appendKeptText(QByteArrayView(&byte, 1)); break;
    case RtfDestination::FontTable: {
      if (currentFont_ < 0) break;
      RtfFont& font = fonts_[currentFont_];
      if (byte == ';') {
        finishFontName();
      } else if (font.nameBytes.size() < 256) {
        font.nameBytes.append(byte);
      }
      break;
    }
    default: break;
  }
}

void RtfReadSession::finishFontName() {
  if (currentFont_ < 0) return;
  RtfFont& font = fonts_[currentFont_];
  if (!font.nameBytes.isEmpty()) {
    QString name;
    decoder_.decode(font.codePage > 0 ? font.codePage : documentCodePage_, font.nameBytes, name);
    font.name = name.trimmed();
    font.nameBytes.clear();
    runFormat_.reset();
  }
  currentFont_ = -1;
}

// An entry without components is "automatic" when its semicolon is there.
void RtfReadSession::finishColorEntry(bool semicolon) {
  const bool empty = red_ < 0 && green_ < 0 && blue_ < 0;
  if (colors_.size() < 4096 && (semicolon || !empty)) {
    if (empty) {
      colors_.emplace_back();
    } else {
      colors_.emplace_back(QColor(std::max(red_, 0), std::max(green_, 0), std::max(blue_, 0)));
    }
    runFormat_.reset();
  }
  red_ = green_ = blue_ = -1;
}

// Text of the page

void RtfReadSession::syncRun() {
  if (!(runState_ == state().ch)) {
    flushRun();
    runState_ = state().ch;
  }
}

// Text of an object's result, or of a picture's second copy, is part of a
// group kept whole.
bool RtfReadSession::textBelongsToKeptGroup() {
  return state().inObjectResult || state().inKeptAlternative || state().inPictureGroup;
}

// Words after a picture that waits for its second copy mean there is none:
// the picture goes first, where it stood.
void RtfReadSession::textAfterPendingPicture(bool blank) {
  if (!blank && pendingAlternative_ && pendingAlternative_->alternativeFrame < 0) flushRun();
}

void RtfReadSession::appendBytes(QByteArrayView bytes) {
  if (textBelongsToKeptGroup()) return;
  textAfterPendingPicture(bytes.trimmed().isEmpty());
  footnoteMarkBefore_ = false;
  syncRun();
  if (pendingHigh_) appendText(QString());
  runBytes_.append(bytes);
}

void RtfReadSession::appendText(const QString& text) {
  if (textBelongsToKeptGroup()) return;
  textAfterPendingPicture(text.trimmed().isEmpty());
  footnoteMarkBefore_ = false;
  syncRun();
  flushBytes();
  if (pendingHigh_) {
    runText_ += QChar::ReplacementCharacter;  // a lone high surrogate
    pendingHigh_ = 0;
  }
  runText_ += text;
}

void RtfReadSession::flushBytes() {
  if (runBytes_.isEmpty()) return;
  decoder_.decode(codePageOfFont(runState_.font), runBytes_, runText_);
  runBytes_.resize(0);  // keeps its buffer for the next run
}

void RtfReadSession::flushRun() {
  flushPendingAlternative();
  flushBytes();
  if (runText_.isEmpty()) return;
  bool splits = false;
  if (MayNeedCleaning(runText_)) {
    runText_.removeIf([](QChar c) { return IsNonText(c.unicode()); });
    if (runText_.isEmpty()) return;
    splits = std::any_of(runText_.cbegin(), runText_.cend(), [](QChar c) { return SplitsBlock(c.unicode()); });
  }
  ensureBlock();
  if (runState_.hidden) {
    InsertHiddenText(cursor_, runText_, runFormat());
  } else {
    // The blocks the text splits off take the format of the block it goes into.
    if (splits) settleInsertedBlock();
    cursor_.insertText(runText_, runFormat());
  }
  runText_.resize(0);
}

void RtfReadSession::ensureBlock() {
  if (state().para.inTable) {
    enterCell();
  } else if (table_) {
    leaveTable();
  }
  if (!needBlock_) return;
  needBlock_ = false;
  // A paragraph mostly ends in the state its first content comes in: its
  // block gets that format now, and the end of the paragraph need not set it.
  insertedAs_ = state().para;
  cursor_.insertBlock(blockFormat(*insertedAs_), QTextCharFormat());
}

// The cursor leaves a block before its paragraph ends (a table starts or
// ends in it, or text splits it): the block has the plain format a new block
// gets, as its paragraph never says otherwise.
void RtfReadSession::settleInsertedBlock() {
  if (!insertedAs_) return;
  insertedAs_.reset();
  cursor_.setBlockFormat(QTextBlockFormat());
}

void RtfReadSession::unicodeChar(const RtfToken& t, int) {
  if (state().destination != RtfDestination::Body) {
    skipCount_ = state().uc;
    return;
  }
  int code = t.param;
  if (code < 0) code += 65536;
  skipCount_ = 0;
  if (code <= 0 || code > 0xFFFF) {
    appendText(QString(QChar::ReplacementCharacter));
  } else if (QChar::isHighSurrogate(static_cast<char32_t>(code))) {
    appendText(QString());
    pendingHigh_ = static_cast<char16_t>(code);
  } else if (QChar::isLowSurrogate(static_cast<char32_t>(code))) {
    if (pendingHigh_) {
      const QChar pair[2] = {QChar(pendingHigh_), QChar(static_cast<char16_t>(code))};
      pendingHigh_ = 0;
      appendText(QString(pair, 2));
    } else {
      appendText(QString(QChar::ReplacementCharacter));
    }
  } else {
    appendText(QString(QChar(static_cast<char16_t>(code))));
  }
  skipCount_ = state().uc;
}

void RtfReadSession::specialChar(const RtfToken&, int codePoint) {
  if (state().destination != RtfDestination::Body) return;
  appendText(QString(QChar(static_cast<char16_t>(codePoint))));
}

void RtfReadSession::paragraphMark(const RtfToken&, int) {
  if (state().destination != RtfDestination::Body || textBelongsToKeptGroup()) return;
  footnoteMarkBefore_ = false;
  flushRun();
  if (pendingHigh_) {
    pendingHigh_ = 0;
    appendText(QString(QChar::ReplacementCharacter));
    flushRun();
  }
  ensureBlock();
  finishParagraph();
  needBlock_ = true;
  ++paragraphs_;
}

void RtfReadSession::pageMark(const RtfToken& t, int kind) {
  if (state().destination != RtfDestination::Body) return;
  flushRun();
  const bool blockHasText = !needBlock_ && cursor_.block().length() > 1;
  if (blockHasText) paragraphMark(t, 0);
  if (kind == 1) state().para.pageBreakBefore = true;
}

}  // namespace orlane
