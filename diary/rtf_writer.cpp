#include "diary/rtf_writer.h"

#include "diary/font_sizes.h"
#include "diary/ole_package.h"
#include "diary/page_objects.h"
#include "diary/rtf_picture.h"

#include <QBuffer>
#include <QIODevice>
#include <QImageReader>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>
#include <QUrl>

#include <cmath>
#include <map>
#include <vector>

namespace orlane {
namespace {

constexpr char kSymbolFont[] = "Symbol";

QString FamilyOf(const QTextCharFormat& format, const QString& fallback) {
  const QStringList families = format.fontFamilies().toStringList();
  if (!families.isEmpty() && !families.front().isEmpty()) return families.front();
  return fallback;
}

void AppendNumber(QByteArray& out, const char* word, long long value) {
  out.append('\\');
  out.append(word);
  out.append(QByteArray::number(value));
}

long long Twips(double pixels) {
  return std::llround(pixels * kTwipsPerPixel);
}

// Escapes text for the page body. Characters outside ASCII become \uN?.
void AppendEscaped(QByteArray& out, QStringView text) {
  for (const QChar ch : text) {
    const char16_t c = ch.unicode();
    switch (c) {
      case '\\': out.append("\\\\"); continue;
      case '{': out.append("\\{"); continue;
      case '}': out.append("\\}"); continue;
      case '\t': out.append("\\tab "); continue;
      case 0x2028: out.append("\\line "); continue;
      case 0x00A0: out.append("\\~"); continue;
      case 0xFFFC: continue;  // an object character outside an image format
      default: break;
    }
    if (c < 0x20) continue;
    if (c < 0x80) {
      out.append(static_cast<char>(c));
      continue;
    }
    AppendNumber(out, "u", static_cast<int16_t>(c));
    out.append('?');
  }
}

// Font names go out in Windows-1252 escapes, as the font table expects.
void AppendFontName(QByteArray& out, const QString& name) {
  static constexpr char kHex[] = "0123456789abcdef";
  for (const QChar ch : name) {
    const char16_t c = ch.unicode();
    if (c == '\\' || c == '{' || c == '}' || c == ';' || c < 0x20) continue;
    if (c < 0x80) {
      out.append(static_cast<char>(c));
    } else if (c < 0x100) {
      out.append("\\'");
      out.append(kHex[c >> 4]);
      out.append(kHex[c & 15]);
    } else {
      out.append('?');
    }
  }
}

struct EncodedPicture {
  const char* kind = "pngblip";
  QByteArray bytes;
  QSize pixels;
};

EncodedPicture EncodePicture(const QTextDocument& document, const QTextImageFormat& format) {
  EncodedPicture picture;
  const QVariant value = document.resource(QTextDocument::ImageResource, QUrl(format.name()));
  if (value.typeId() == QMetaType::QByteArray) {
    const QByteArray bytes = value.toByteArray();
    const bool png = bytes.startsWith("\x89PNG\r\n\x1a\n");
    const bool jpeg = bytes.startsWith("\xFF\xD8\xFF");
    if (png || jpeg) {
      // Kept byte for byte as the page got them; only the header is read.
      QBuffer buffer;
      buffer.setData(bytes);
      buffer.open(QIODevice::ReadOnly);
      const QSize size = QImageReader(&buffer, png ? "PNG" : "JPEG").size();
      if (size.isValid()) {
        picture.kind = png ? "pngblip" : "jpegblip";
        picture.bytes = bytes;
        picture.pixels = size;
        return picture;
      }
    }
  }
  const QImage image = PageImage(document, format);
  if (image.isNull()) return picture;
  QBuffer buffer(&picture.bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  picture.pixels = image.size();
  return picture;
}

class DocumentWriter {
 public:
  explicit DocumentWriter(const QTextDocument& document) : document_(document) {
    defaultFamily_ = document.defaultFont().family();
    defaultPoints_ = document.defaultFont().pointSizeF() > 0 ? document.defaultFont().pointSizeF() : 12.0;
  }

  QByteArray run() {
    collectTables();
    QByteArray body;
    writeFrame(*document_.rootFrame(), body);
    QByteArray out;
    out.reserve(body.size() + 1024);
    out.append("{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl");
    for (size_t i = 0; i < fonts_.size(); ++i) {
      out.append('{');
      AppendNumber(out, "f", static_cast<long long>(i));
      out.append(fonts_[i] == QLatin1StringView(kSymbolFont) ? "\\ftech\\fcharset2 " : "\\fnil\\fcharset0 ");
      AppendFontName(out, fonts_[i]);
      out.append(";}");
    }
    out.append("}\n{\\colortbl;");
    for (const QColor& color : colors_) {
      AppendNumber(out, "red", color.red());
      AppendNumber(out, "green", color.green());
      AppendNumber(out, "blue", color.blue());
      out.append(';');
    }
    out.append("}\n\\viewkind4\\uc1\n");
    out.append(body);
    out.append("}\n");
    return out;
  }

 private:
  int fontIndex(const QString& family) {
    const auto found = fontIndex_.find(family);
    if (found != fontIndex_.end()) return found->second;
    const int index = static_cast<int>(fonts_.size());
    fonts_.push_back(family);
    fontIndex_.emplace(family, index);
    return index;
  }

  int colorIndex(const QColor& color) {
    const QRgb rgb = color.rgb() & 0xFFFFFF;
    const auto found = colorIndex_.find(rgb);
    if (found != colorIndex_.end()) return found->second;
    colors_.push_back(color);
    const int index = static_cast<int>(colors_.size());  // entry 0 is "automatic"
    colorIndex_.emplace(rgb, index);
    return index;
  }

  void collectTables() {
    fontIndex(defaultFamily_);
    for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
      if (block.textList() && block.textList()->format().style() >= QTextListFormat::ListSquare &&
          block.textList()->format().style() <= QTextListFormat::ListDisc)
        symbolFont_ = fontIndex(QString::fromLatin1(kSymbolFont));
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextCharFormat format = it.fragment().charFormat();
        fontIndex(FamilyOf(format, defaultFamily_));
        if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
          colorIndex(format.foreground().color());
        if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
          colorIndex(format.background().color());
      }
    }
  }

  void writeCharFormat(const QTextCharFormat& format, QByteArray& out) {
    AppendNumber(out, "f", fontIndex(FamilyOf(format, defaultFamily_)));
    const double points = format.fontPointSize() > 0 ? format.fontPointSize() : defaultPoints_;
    const int twips = std::clamp(PointsToTwips(points), 1, 32760);
    AppendNumber(out, "fs", (twips + 5) / 10);
    if (twips % 10 != 0) AppendNumber(out, "olfstw", twips);  // sizes finer than half a point
    if (format.fontWeight() >= QFont::DemiBold) out.append("\\b");
    if (format.fontItalic()) out.append("\\i");
    if (format.fontUnderline()) out.append("\\ul");
    if (format.fontStrikeOut()) out.append("\\strike");
    if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) out.append("\\super");
    if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) out.append("\\sub");
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush)
      AppendNumber(out, "cf", colorIndex(format.foreground().color()));
    if (format.hasProperty(QTextFormat::BackgroundBrush) && format.background().style() != Qt::NoBrush)
      AppendNumber(out, "highlight", colorIndex(format.background().color()));
    out.append(' ');
  }

  void writeList(const QTextBlock& block, QByteArray& out) {
    const QTextList* list = block.textList();
    if (!list) return;
    const QTextListFormat format = list->format();
    const int indent = std::clamp(format.indent(), 1, 9);
    const QTextListFormat::Style style = format.style();
    const bool bullet = style >= QTextListFormat::ListSquare && style <= QTextListFormat::ListDisc;
    if (bullet) {
      out.append("{\\pntext");
      AppendNumber(out, "f", symbolFont_);
      out.append("\\'b7\\tab}");
      out.append("{\\*\\pn\\pnlvlblt");
      AppendNumber(out, "pnf", symbolFont_);
      out.append("\\pnindent0{\\pntxtb\\'b7}}");
    } else {
      const char* kind = "pndec";
      switch (style) {
        case QTextListFormat::ListLowerAlpha: kind = "pnlcltr"; break;
        case QTextListFormat::ListUpperAlpha: kind = "pnucltr"; break;
        case QTextListFormat::ListLowerRoman: kind = "pnlcrm"; break;
        case QTextListFormat::ListUpperRoman: kind = "pnucrm"; break;
        default: break;
      }
      out.append("{\\pntext\\f0 ");
      AppendEscaped(out, list->itemText(block));
      out.append("\\tab}{\\*\\pn\\pnlvlbody\\pnf0\\pnindent0");
      AppendNumber(out, "pnstart", 1);
      out.append('\\');
      out.append(kind);
      out.append("{\\pntxta.}}");
    }
    AppendNumber(out, "fi", -360);
    AppendNumber(out, "li", 720LL * indent);
  }

  void writeBlockFormat(const QTextBlock& block, bool inTable, QByteArray& out) {
    const QTextBlockFormat format = block.blockFormat();
    out.append("\\pard");
    if (inTable) out.append("\\intbl");
    const Qt::Alignment align = format.alignment() & Qt::AlignHorizontal_Mask;
    if (align & Qt::AlignHCenter)
      out.append("\\qc");
    else if (align & Qt::AlignRight)
      out.append("\\qr");
    else if (align & Qt::AlignJustify)
      out.append("\\qj");
    else
      out.append("\\ql");
    if (!block.textList()) {
      if (format.leftMargin() != 0) AppendNumber(out, "li", Twips(format.leftMargin()));
      if (format.textIndent() != 0) AppendNumber(out, "fi", Twips(format.textIndent()));
    }
    if (format.rightMargin() != 0) AppendNumber(out, "ri", Twips(format.rightMargin()));
    if (format.topMargin() != 0) AppendNumber(out, "sb", Twips(format.topMargin()));
    if (format.bottomMargin() != 0) AppendNumber(out, "sa", Twips(format.bottomMargin()));
    switch (format.lineHeightType()) {
      case QTextBlockFormat::ProportionalHeight:
        AppendNumber(out, "sl", std::llround(format.lineHeight() * 240.0 / 100.0));
        out.append("\\slmult1");
        break;
      case QTextBlockFormat::MinimumHeight:
        AppendNumber(out, "sl", Twips(format.lineHeight()));
        out.append("\\slmult0");
        break;
      case QTextBlockFormat::FixedHeight:
        AppendNumber(out, "sl", -Twips(format.lineHeight()));
        out.append("\\slmult0");
        break;
      default: break;
    }
    if (format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) out.append("\\pagebb");
    writeList(block, out);
    out.append(' ');
  }

  void writePicture(const QTextImageFormat& format, QByteArray& out) {
    const EncodedPicture picture = EncodePicture(document_, format);
    if (picture.bytes.isEmpty()) return;
    const double width = format.width() > 0 ? format.width() : picture.pixels.width();
    const double height = format.height() > 0 ? format.height() : picture.pixels.height();
    out.append("{\\pict\\");
    out.append(picture.kind);
    AppendNumber(out, "picw", picture.pixels.width());
    AppendNumber(out, "pich", picture.pixels.height());
    AppendNumber(out, "picwgoal", Twips(width));
    AppendNumber(out, "pichgoal", Twips(height));
    out.append('\n');
    AppendHexLines(picture.bytes, out);
    out.append("}");
  }

  void writeAttachment(const QTextImageFormat& format, QByteArray& out) {
    const EncodedPicture icon = EncodePicture(document_, format);
    out.append("{\\object\\objemb");
    AppendNumber(out, "objw", Twips(icon.pixels.width()));
    AppendNumber(out, "objh", Twips(icon.pixels.height()));
    out.append("{\\*\\objclass Package}{\\*\\objdata\n");
    AppendHexLines(EncodeOlePackage({AttachmentName(format), AttachmentData(format)}), out);
    out.append("}{\\result");
    writePicture(format, out);
    out.append("}}");
  }

  // The blocks and tables of a frame in order; a table inside a table goes
  // out as the paragraphs of its cell.
  void writeFrame(const QTextFrame& frame, QByteArray& out) {
    for (auto it = frame.begin(); !it.atEnd(); ++it) {
      if (const QTextFrame* child = it.currentFrame()) {
        if (const auto* table = qobject_cast<const QTextTable*>(child)) {
          writeTable(*table, out);
        } else {
          writeFrame(*child, out);
        }
      } else {
        writeBlock(it.currentBlock(), false, "\\par\n", out);
      }
    }
  }

  // Cell boundaries in twips: the table's fixed column widths, else equal
  // columns over the width of a page's text.
  std::vector<long long> cellBoundaries(const QTextTable& table) const {
    constexpr long long kTextWidth = 9638;
    const QList<QTextLength> widths = table.format().columnWidthConstraints();
    std::vector<long long> right;
    long long at = 0;
    for (int column = 0; column < table.columns(); ++column) {
      const bool fixed = widths.size() == table.columns() && widths[column].type() == QTextLength::FixedLength;
      at += fixed ? std::max(1LL, Twips(widths[column].rawValue())) : kTextWidth / table.columns();
      right.push_back(at);
    }
    return right;
  }

  void writeTable(const QTextTable& table, QByteArray& out) {
    const std::vector<long long> right = cellBoundaries(table);
    for (int row = 0; row < table.rows(); ++row) {
      out.append("\\trowd\\trgaph108");
      for (const long long boundary : right) AppendNumber(out, "cellx", boundary);
      out.append('\n');
      for (int column = 0; column < table.columns(); ++column) {
        const QTextTableCell cell = table.cellAt(row, column);
        // A cell spanning several is written once, where it starts; the
        // places it covers stay empty.
        if (cell.row() != row || cell.column() != column) {
          out.append("\\pard\\intbl\\cell\n");
          continue;
        }
        const QTextBlock last = cell.lastCursorPosition().block();
        for (QTextBlock block = cell.firstCursorPosition().block(); block.isValid(); block = block.next()) {
          const bool isLast = block == last;
          writeBlock(block, true, isLast ? "\\cell\n" : "\\par\n", out);
          if (isLast) break;
        }
      }
      out.append("\\row\n");
    }
  }

  void writeBlock(const QTextBlock& block, bool inTable, const char* end, QByteArray& out) {
    writeBlockFormat(block, inTable, out);
    QString link;  // the target of the link being written
    const auto setLink = [&](const QString& target) {
      if (target == link) return;
      if (!link.isEmpty()) out.append("}}");
      link = target;
      if (link.isEmpty()) return;
      out.append("{\\field{\\*\\fldinst HYPERLINK \"");
      // In ASCII, quotes escaped: the instruction is read as plain bytes.
      const QUrl url(link);
      AppendEscaped(out, url.isValid() ? QString::fromLatin1(url.toEncoded())
                                       : QString(link).replace(QLatin1Char('"'), QStringLiteral("%22")));
      out.append("\"}{\\fldrslt ");
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat format = fragment.charFormat();
      if (format.isImageFormat()) {
        setLink({});
        const QTextImageFormat image = format.toImageFormat();
        for (qsizetype i = 0; i < fragment.text().size(); ++i) {
          if (IsKeptRtf(image)) {
            out.append(KeptRtf(image));  // as it came
          } else if (IsAttachment(image)) {
            writeAttachment(image, out);
          } else {
            writePicture(image, out);
          }
        }
        continue;
      }
      if (IsInvisibleKeptRtf(format)) {
        setLink({});
        for (qsizetype i = 0; i < fragment.text().size(); ++i) out.append(KeptRtf(format));
        continue;
      }
      setLink(format.isAnchor() ? format.anchorHref() : QString());
      if (IsHiddenText(format)) {
        for (qsizetype i = 0; i < fragment.text().size(); ++i) {
          out.append("{\\v");
          writeCharFormat(format, out);
          AppendEscaped(out, HiddenText(format));
          out.append('}');
        }
        continue;
      }
      out.append('{');
      writeCharFormat(format, out);
      AppendEscaped(out, fragment.text());
      out.append('}');
    }
    setLink({});
    out.append(end);
  }

  const QTextDocument& document_;
  QString defaultFamily_;
  double defaultPoints_ = 12.0;
  std::vector<QString> fonts_;
  std::map<QString, int> fontIndex_;
  std::vector<QColor> colors_;
  std::map<QRgb, int> colorIndex_;
  int symbolFont_ = 0;
};

}  // namespace

QByteArray RtfWriter::write(const QTextDocument& document) {
  return DocumentWriter(document).run();
}

bool RtfWriter::write(const QTextDocument& document, QIODevice& device) {
  const QByteArray bytes = write(document);
  return device.write(bytes) == bytes.size();
}

}  // namespace orlane
