// The reader's handlers for tables, links and the groups it keeps whole.
#include "diary/page_objects.h"
#include "diary/rtf_read_session.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextTable>

namespace orlane {

namespace {
// Word's own limit of columns. Qt lays a table out again for every row
// added, so rows beyond the limits go on in the last row.
constexpr int kMaxColumns = 63;
constexpr int kMaxRows = 1000;
constexpr int kMaxCells = 10000;
constexpr qsizetype kMaxInstruction = 4096;
constexpr qsizetype kMaxTipText = 160;
constexpr size_t kMaxLinks = 4096;

// The target of a HYPERLINK field instruction: its address, with the place
// in the page after "#" when it names one with \l; empty for other fields.
QString HyperlinkTarget(const QString& instruction) {
  QStringList words;
  QString word;
  bool quoted = false;
  bool inWord = false;
  for (const QChar c : instruction) {
    if (c == QLatin1Char('"')) {
      quoted = !quoted;
      inWord = true;
    } else if (c.isSpace() && !quoted) {
      if (inWord) words << word;
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words << word;
  if (words.isEmpty() || words.front().compare(QLatin1String("HYPERLINK"), Qt::CaseInsensitive) != 0) return {};
  QString address;
  QString place;
  for (qsizetype i = 1; i < words.size(); ++i) {
    const QString& w = words[i];
    if (w.startsWith(QLatin1Char('\\'))) {
      // \l names a place in the page; \o and \t take a value that is no address.
      const bool takesValue = w == QLatin1String("\\l") || w == QLatin1String("\\o") || w == QLatin1String("\\t");
      if (takesValue && i + 1 < words.size()) {
        ++i;
        if (w == QLatin1String("\\l")) place = words[i];
      }
      continue;
    }
    if (address.isEmpty()) address = w;
  }
  if (!place.isEmpty()) address += QLatin1Char('#') + place;
  return address;
}

QString Elided(QString text) {
  text = text.simplified();
  if (text.size() > kMaxTipText) text = text.left(kMaxTipText) + QChar(0x2026);
  return text;
}
}  // namespace

// Links

void RtfReadSession::beginFieldInstruction(const RtfToken&, int) {
  const int frame = static_cast<int>(stack_.size()) - 1;
  if (frame < 1 || !stack_[static_cast<size_t>(frame - 1)].isField || state().destination != RtfDestination::Body) {
    state().destination = RtfDestination::Skip;
    return;
  }
  fieldInstruction_.clear();
  fieldInstructionFrame_ = frame;
  state().destination = RtfDestination::FieldInstruction;
}

// A hyperlink's result text carries its target; other fields show their result.
void RtfReadSession::finishFieldInstruction(int frame) {
  fieldInstructionFrame_ = -1;
  QString instruction;
  decoder_.decode(documentCodePage_, fieldInstruction_, instruction);
  fieldInstruction_.clear();
  const QString target = HyperlinkTarget(instruction);
  if (target.isEmpty()) return;
  RtfCharState& field = stack_[static_cast<size_t>(frame - 1)].ch;
  if (!links_.empty() && links_.back() == target) {
    field.link = static_cast<int>(links_.size()) - 1;
  } else if (links_.size() < kMaxLinks) {
    links_.push_back(target);
    runFormat_.reset();
    field.link = static_cast<int>(links_.size()) - 1;
  }
}

void RtfReadSession::appendInstruction(QByteArrayView bytes) {
  if (fieldInstruction_.size() < kMaxInstruction)
    fieldInstruction_.append(bytes.first(std::min(bytes.size(), kMaxInstruction)));
}

// Kept groups

void RtfReadSession::footnoteMark(const RtfToken&, int) {
  if (state().destination == RtfDestination::Body && !textBelongsToKeptGroup()) footnoteMarkBefore_ = true;
}

void RtfReadSession::beginKept(const RtfToken&, int shown) {
  if (state().destination != RtfDestination::Body || textBelongsToKeptGroup() || keptFrame_ >= 0 || picture_ ||
      object_) {
    state().destination = RtfDestination::Skip;
    return;
  }
  keptFrame_ = static_cast<int>(stack_.size()) - 1;
  keptShown_ = shown != 0;
  keptHasMark_ = footnoteMarkBefore_;
  footnoteMarkBefore_ = false;
  keptText_.clear();
  markKeptFrom();
  state().destination = RtfDestination::Kept;
}

void RtfReadSession::appendKeptText(QByteArrayView bytes) {
  if (keptText_.size() < kMaxTipText * 4)
    keptText_.append(bytes.first(std::min<qsizetype>(bytes.size(), kMaxTipText * 4)));
}

void RtfReadSession::finishKept(int frame) {
  keptFrame_ = -1;
  QByteArray group = groupBytes(frame);
  if (group.isEmpty()) return;
  if (!keptShown_) {
    // A group without any text is a property of another program's layout
    // (\*\updnprop, \*\pgdscno), not content of the page.
    if (keptText_.trimmed().isEmpty()) return;
    flushRun();
    ensureBlock();
    InsertInvisibleKeptRtf(cursor_, group);
    return;
  }
  // The automatic number of a footnote goes with it: the page cannot count.
  if (keptHasMark_) group = "{\\super\\chftn" + group + '}';
  QString text;
  decoder_.decode(documentCodePage_, keptText_, text);
  keptText_.clear();
  const QString tip = QStringLiteral("%1\nThis note cannot be shown here. It is kept as it is.").arg(Elided(text));
  insertKept(group, PlaceholderPicture(QSize(10, 12)), QSizeF(10, 12), tip);
}

// Tables

void RtfReadSession::cellBoundary(const RtfToken& t, int) {
  if (cellBoundaries_.size() < static_cast<size_t>(kMaxColumns)) cellBoundaries_.push_back(t.hasParam ? t.param : 0);
}

// Puts the cursor into the cell the next content belongs to: a new table, a
// new row or the next cell of the row.
void RtfReadSession::enterCell() {
  if (cellOpen_) return;
  settleInsertedBlock();
  const int defined = std::clamp(static_cast<int>(cellBoundaries_.size()), 1, kMaxColumns);
  if (!table_) {
    QTextTableFormat format;
    format.setBorder(1);
    format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
    format.setBorderCollapse(true);
    format.setCellPadding(3);
    format.setCellSpacing(0);
    if (static_cast<int>(cellBoundaries_.size()) == defined) {
      QList<QTextLength> widths;
      int left = 0;
      for (const int right : cellBoundaries_) {
        widths << QTextLength(QTextLength::FixedLength, std::clamp(right - left, 1, 31680) / kTwipsPerPixel);
        left = right;
      }
      format.setColumnWidthConstraints(widths);
    }
    // After an ended paragraph the table follows it directly.
    needBlock_ = false;
    table_ = cursor_.insertTable(1, defined, format);
    tableRow_ = 0;
    tableColumn_ = 0;
    rowOpen_ = true;
  } else if (!rowOpen_) {
    if (tableRow_ + 1 < kMaxRows && (tableRow_ + 2) * table_->columns() <= kMaxCells) {
      table_->appendRows(1);
      ++tableRow_;
    }
    tableColumn_ = 0;
    rowOpen_ = true;
  }
  if (tableColumn_ >= table_->columns()) {
    if (table_->columns() < kMaxColumns && table_->rows() * (table_->columns() + 1) <= kMaxCells) {
      table_->appendColumns(1);
    } else {
      tableColumn_ = table_->columns() - 1;
    }
  }
  cursor_ = table_->cellAt(tableRow_, tableColumn_).lastCursorPosition();
  cellOpen_ = true;
  needBlock_ = false;
  lastList_ = nullptr;
}

void RtfReadSession::leaveTable() {
  settleInsertedBlock();
  cursor_ = table_->lastCursorPosition();
  cursor_.movePosition(QTextCursor::NextBlock);
  table_ = nullptr;
  rowOpen_ = false;
  cellOpen_ = false;
  needBlock_ = false;
  lastList_ = nullptr;
}

void RtfReadSession::tableCell(const RtfToken& t, int) {
  if (state().destination != RtfDestination::Body || textBelongsToKeptGroup()) return;
  // Outside any table a cell mark only separates text.
  if (!state().para.inTable && !table_) {
    specialChar(t, '\t');
    return;
  }
  flushRun();
  enterCell();
  finishParagraph();
  cellOpen_ = false;
  ++tableColumn_;
  // The next cell has a paragraph of its own; nothing after the row may end this one again.
  needBlock_ = true;
}

void RtfReadSession::tableRow(const RtfToken& t, int) {
  if (state().destination != RtfDestination::Body || textBelongsToKeptGroup()) return;
  if (!table_) {
    paragraphMark(t, 0);
    return;
  }
  flushRun();
  if (cellOpen_) {
    finishParagraph();
    cellOpen_ = false;
  }
  rowOpen_ = false;
  tableColumn_ = 0;
  needBlock_ = true;
}

}  // namespace orlane
