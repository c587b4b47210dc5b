// One run of the RTF reader over one input: the group state stack, the
// destination tables, the font, colour and list tables met so far, and the
// cursor that builds the document. Internal to the diary library.
#pragma once

#include "diary/code_page.h"
#include "diary/rtf_picture.h"
#include "diary/rtf_reader.h"
#include "diary/rtf_tokenizer.h"

#include <QColor>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextListFormat>

#include <optional>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

class QTextDocument;
class QTextList;
class QTextTable;

namespace orlane {

class RtfReadSession;

enum class RtfDestination {
  Body,
  Skip,
  FontTable,
  ColorTable,
  Picture,
  Object,
  ObjectData,
  ObjectClass,
  ListTable,
  ListOverrideTable,
  Numbering,
  ShapeInstructions,
  ShapeValue,
  FieldInstruction,  // the instruction of a field: its text tells a link's target
  Kept,              // a group kept whole as it came (a footnote, a header, another program's data)
};

using RtfHandler = void (RtfReadSession::*)(const RtfToken& token, int arg);

struct RtfKeyword {
  std::string_view word;
  RtfHandler handler;
  int arg;
};

using RtfKeywordTable = std::unordered_map<std::string_view, const RtfKeyword*>;

// The table of control words that a destination understands.
const RtfKeywordTable& KeywordTableFor(RtfDestination destination);

enum class RtfListKind { None, Bullet, Numbered };

struct RtfCharState {
  int font = -1;  // -1: the default font
  int twips = 240;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strike = false;
  bool hidden = false;
  int vertical = 0;    // 1 superscript, 2 subscript
  int foreground = 0;  // colour table index; 0 is automatic
  int background = 0;
  int link = -1;  // index of the link target, -1 outside a link
  bool operator==(const RtfCharState&) const = default;
};

struct RtfParaState {
  int align = 0;  // 0 left, 1 centre, 2 right, 3 justified
  int li = 0, ri = 0, fi = 0, sb = 0, sa = 0, sl = 0;
  bool slMult = false;
  bool pageBreakBefore = false;
  RtfListKind list = RtfListKind::None;
  QTextListFormat::Style numberStyle = QTextListFormat::ListDecimal;
  int ls = 0;
  int ilvl = 0;
  bool inTable = false;  // \intbl: the paragraph is in a table cell
  bool operator==(const RtfParaState&) const = default;
};

struct RtfGroupState {
  RtfDestination destination = RtfDestination::Body;
  RtfCharState ch;
  RtfParaState para;
  int uc = 1;
  int targetFrame = -1;      // Numbering: the frame whose paragraph it describes
  qsizetype openOffset = 0;  // where the group's brace stands in the input
  qsizetype keptFrom = -1;   // where the control word that makes it a kept kind begins
  bool inShppict = false;
  bool inObjectResult = false;
  bool inKeptAlternative = false;  // the second copy of a picture kept as it came
  bool inPictureGroup = false;     // \shppict: pictures only, no page text
  bool isField = false;            // the group of a \field
};

struct RtfFont {
  QByteArray nameBytes;
  QString name;
  int codePage = 0;
};

struct RtfListDefinition {
  int id = 0;
  int levelCount = 0;
  int formats[9] = {23, 23, 23, 23, 23, 23, 23, 23, 23};  // \levelnfc per level; 23 is a bullet
};

// A picture in \shppict (or a shape) that cannot be shown, waiting to see
// whether the \nonshppict (\shprslt) copy after it can: the pair is then kept
// whole, shown by that copy or by a frame of its size.
struct RtfPendingAlternative {
  qsizetype start = 0;  // the first group's kept word (its brace is written before it)
  qsizetype end = 0;    // just past the first group's closing brace
  int frame = -1;       // the first group's depth: the second copy is its next sibling
  QByteArray firstGroup;
  QSizeF size;
  std::optional<DecodedPicture> shown;
  int alternativeFrame = -1;  // the second group while it is read
};

// An \object group being read: its data, its class, its size and its result picture.
struct RtfObjectInProgress {
  int frame = -1;
  RtfPicture data;
  QByteArray className;
  int widthTwips = 0;
  int heightTwips = 0;
  std::optional<DecodedPicture> result;
  QSizeF resultSize;  // of a result picture that could not be decoded
};

class RtfReadSession final {
 public:
  static constexpr int kMaxGroupDepth = RtfReader::kMaxGroupDepth;

  RtfReadSession(QByteArrayView input, QTextDocument& document);
  ~RtfReadSession();
  RtfReadSession(const RtfReadSession&) = delete;
  RtfReadSession& operator=(const RtfReadSession&) = delete;

  void run();
  const QString& error() const { return error_; }

  // Handlers named in the keyword tables.
  void ignore(const RtfToken&, int) {}
  void beginDestination(const RtfToken&, int destination);
  void beginSkip(const RtfToken&, int) { state().destination = RtfDestination::Skip; }
  void beginShppict(const RtfToken&, int);
  void beginShape(const RtfToken&, int);
  void beginNonShppict(const RtfToken&, int);
  void beginObjectResult(const RtfToken&, int);
  void beginNumbering(const RtfToken&, int);
  void beginPicture(const RtfToken&, int);
  void beginObject(const RtfToken&, int);
  void beginField(const RtfToken&, int) { state().isField = true; }
  void beginFieldInstruction(const RtfToken&, int);
  void beginKept(const RtfToken&, int shown);
  void footnoteMark(const RtfToken&, int);
  // Tables
  void rowDefinition(const RtfToken&, int) { cellBoundaries_.clear(); }
  void cellBoundary(const RtfToken& t, int);
  void setInTable(const RtfToken& t, int) { state().para.inTable = !t.hasParam || t.param != 0; }
  void tableCell(const RtfToken&, int);
  void tableRow(const RtfToken& t, int);
  void setCodePage(const RtfToken&, int codePage);
  void setDefaultFont(const RtfToken& t, int) {
    defaultFont_ = t.param;
    runFormat_.reset();
  }
  void setCharFlag(const RtfToken& t, int which);
  void setUnderline(const RtfToken& t, int on);
  void setFontSize(const RtfToken& t, int twipsPerUnit);
  void setFont(const RtfToken& t, int);
  void setColor(const RtfToken& t, int which);
  void setVertical(const RtfToken&, int value) { state().ch.vertical = value; }
  void setRaise(const RtfToken& t, int value) { state().ch.vertical = !t.hasParam || t.param != 0 ? value : 0; }
  void plain(const RtfToken&, int);
  void pard(const RtfToken&, int);
  void setAlign(const RtfToken&, int align) { state().para.align = align; }
  void setParaValue(const RtfToken& t, int which);
  void setListOverride(const RtfToken& t, int which);
  void setUnicodeSkip(const RtfToken& t, int) { state().uc = std::clamp(t.param, 0, 16); }
  void unicodeChar(const RtfToken& t, int);
  void specialChar(const RtfToken&, int codePoint);
  void paragraphMark(const RtfToken&, int);
  void pageMark(const RtfToken&, int kind);
  // Font table
  void fontEntry(const RtfToken& t, int);
  void fontCharset(const RtfToken& t, int);
  void fontCodePage(const RtfToken& t, int);
  // Colour table
  void colorComponent(const RtfToken& t, int which);
  // Picture
  void pictureKind(const RtfToken&, int kind);
  void pictureValue(const RtfToken& t, int which);
  void objectSize(const RtfToken& t, int which);
  // Lists
  void listBegin(const RtfToken&, int);
  void listLevel(const RtfToken&, int);
  void listLevelFormat(const RtfToken& t, int);
  void listId(const RtfToken& t, int);
  void overrideBegin(const RtfToken&, int);
  void overrideListId(const RtfToken& t, int);
  void overrideLs(const RtfToken& t, int);
  void numberingKind(const RtfToken&, int kind);
  void numberingStyle(const RtfToken&, int style);

 private:
  RtfGroupState& state() { return stack_.back(); }
  void noteError(const QString& message);
  void openGroup(qsizetype offset);
  void closeGroup();
  // The bytes of the group of frame as a group of its own: its brace, then
  // from the word that made it a picture, object or shape (what came before
  // that is page text or state) to the token just read; empty for a group the
  // input never closed (it could not be written back).
  QByteArray groupBytes(int frame) const;
  void finishShppict(int frame);
  void finishFieldInstruction(int frame);
  void finishKept(int frame);
  void appendInstruction(QByteArrayView bytes);
  void appendKeptText(QByteArrayView bytes);
  void enterCell();
  void leaveTable();
  bool startsItsGroup() const { return wordStart_ == stack_.back().openOffset + 1; }
  void controlWord(const RtfToken& token);
  void controlSymbol(const RtfToken& token);
  void text(QByteArrayView bytes);
  void binary(QByteArrayView bytes);
  void hexByte(int value);
  void finishFontName();
  void finishColorEntry(bool semicolon);
  bool consumeSkip();

  // Body text
  void appendBytes(QByteArrayView bytes);
  void appendText(const QString& text);
  void syncRun();
  void flushBytes();
  void flushRun();
  void ensureBlock();
  void settleInsertedBlock();
  void finishParagraph();
  void applyList(const RtfParaState& para);
  void finishPicture(const QByteArray& group);
  void finishObject(const QByteArray& group);
  void insertDecodedPicture(const DecodedPicture& picture);
  void insertKept(const QByteArray& group, const QVariant& picture, QSizeF size, const QString& toolTip);
  void flushPendingAlternative();
  void textAfterPendingPicture(bool blank);
  void finishAlternative();
  bool textBelongsToKeptGroup();
  int codePageOfFont(int font) const;
  int listFormatOf(int ls);
  QTextCharFormat charFormat(const RtfCharState& ch) const;
  const QTextCharFormat& runFormat();
  const QTextBlockFormat& blockFormat(const RtfParaState& para);
  std::optional<QColor> colorAt(int index) const;

  QByteArrayView input_;
  RtfTokenizer tokenizer_;
  QTextDocument& document_;
  QTextCursor cursor_;
  CodePageDecoder decoder_;
  std::vector<RtfGroupState> stack_;
  int overflowDepth_ = 0;
  bool ignorableNext_ = false;
  int skipCount_ = 0;
  char16_t pendingHigh_ = 0;
  bool finished_ = false;
  bool closedOuter_ = false;
  QString error_;

  int documentCodePage_ = 1252;
  int defaultFont_ = 0;
  std::unordered_map<int, RtfFont> fonts_;
  int currentFont_ = -1;
  std::vector<std::optional<QColor>> colors_;
  int red_ = -1, green_ = -1, blue_ = -1;
  std::vector<RtfListDefinition> lists_;
  std::vector<std::pair<int, int>> overrides_;  // (\ls number, \listid)
  std::unordered_map<int, int> formatOfLs_;     // \ls number -> \levelnfc of its first level
  bool listTablesChanged_ = false;

  // The text run being gathered and its character state.
  RtfCharState runState_;
  QByteArray runBytes_;
  QString runText_;
  // The formats of the last character and paragraph states: most runs and
  // paragraphs of a page share them. The character format goes when a font,
  // colour or link it may name changes.
  std::optional<std::pair<RtfCharState, QTextCharFormat>> runFormat_;
  std::optional<std::pair<RtfParaState, QTextBlockFormat>> blockFormat_;
  bool needBlock_ = false;
  // The paragraph state a block was inserted with, until its paragraph ends.
  std::optional<RtfParaState> insertedAs_;
  int paragraphs_ = 0;
  QTextList* lastList_ = nullptr;
  int lastListLength_ = 0;
  RtfParaState lastListPara_;

  std::optional<RtfPicture> picture_;
  qint64 pixelsLeft_ = kPagePixelBudget;
  int pictureFrame_ = -1;
  bool shppictInserted_ = false;
  int shppictFrame_ = -1;
  struct UndecodedPicture {
    QByteArray group;
    QSizeF size;
  };
  std::vector<UndecodedPicture> undecodedInShppict_;
  bool closingAtEnd_ = false;  // groups the input left open: not kept as they came
  qsizetype tokenStart_ = 0;
  qsizetype ignorableStart_ = 0;  // of the \* before the current word
  qsizetype wordStart_ = 0;       // of the current control word, its \* included
  void markKeptFrom() { state().keptFrom = wordStart_; }
  std::optional<RtfPendingAlternative> pendingAlternative_;

  std::optional<RtfObjectInProgress> object_;

  // Links: the targets met so far, and the field instruction being read.
  std::vector<QString> links_;
  QByteArray fieldInstruction_;
  int fieldInstructionFrame_ = -1;

  // A group kept whole: its frame, whether the page shows a stand-in for it,
  // the start of a footnote mark right before it, and its text for the tip.
  int keptFrame_ = -1;
  bool keptShown_ = false;
  bool footnoteMarkBefore_ = false;
  bool keptHasMark_ = false;
  QByteArray keptText_;

  // The table being read: its rows and cells as they come.
  QTextTable* table_ = nullptr;
  int tableRow_ = -1;
  int tableColumn_ = 0;
  bool rowOpen_ = false;
  bool cellOpen_ = false;
  std::vector<int> cellBoundaries_;  // \cellx of the row definition, in twips
};

}  // namespace orlane
