#include "document_dump.h"

#include "diary/page_objects.h"

#include <QCryptographicHash>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextList>
#include <QTextTable>

namespace orlane::test {
namespace {

QString Number(double value) {
  return QString::number(value, 'g', 6);
}

QString ColorText(const QBrush& brush) {
  return brush.color().name();
}

QString AlignText(Qt::Alignment align) {
  if (align & Qt::AlignHCenter) return "centre";
  if (align & Qt::AlignRight) return "right";
  if (align & Qt::AlignJustify) return "justify";
  return "left";
}

QString ListText(const QTextList* list) {
  if (!list) return "none";
  switch (list->format().style()) {
    case QTextListFormat::ListDisc:
    case QTextListFormat::ListCircle:
    case QTextListFormat::ListSquare: return QString("bullet/%1").arg(list->format().indent());
    case QTextListFormat::ListLowerAlpha: return QString("alpha/%1").arg(list->format().indent());
    case QTextListFormat::ListUpperAlpha: return QString("ALPHA/%1").arg(list->format().indent());
    case QTextListFormat::ListLowerRoman: return QString("roman/%1").arg(list->format().indent());
    case QTextListFormat::ListUpperRoman: return QString("ROMAN/%1").arg(list->format().indent());
    default: return QString("number/%1").arg(list->format().indent());
  }
}

QString ImageText(const QTextDocument& document, const QTextImageFormat& format) {
  const QImage image = PageImage(document, format).convertToFormat(QImage::Format_RGB32);
  QString text = QString("[image %1x%2 shown %3x%4")
                     .arg(image.width())
                     .arg(image.height())
                     .arg(Number(format.width() > 0 ? format.width() : image.width()))
                     .arg(Number(format.height() > 0 ? format.height() : image.height()));
  if (!image.isNull()) {
    text +=
        QString(" corners %1 %2")
            .arg(QColor(image.pixel(0, 0)).name(), QColor(image.pixel(image.width() - 1, image.height() - 1)).name());
  }
  if (IsAttachment(format)) {
    const QByteArray data = AttachmentData(format);
    text += QString(" file \"%1\" %2 bytes md5 %3")
                .arg(AttachmentName(format))
                .arg(data.size())
                .arg(QString::fromLatin1(QCryptographicHash::hash(data, QCryptographicHash::Md5).toHex().left(12)));
  }
  return text + "]";
}

QString CharText(const QTextCharFormat& format) {
  QStringList parts;
  const QStringList families = format.fontFamilies().toStringList();
  parts << "font=" + (families.isEmpty() ? QString("-") : families.front());
  parts << "size=" + Number(format.fontPointSize());
  if (format.fontWeight() >= QFont::DemiBold) parts << "bold";
  if (format.fontItalic()) parts << "italic";
  if (format.fontUnderline()) parts << "underline";
  if (format.fontStrikeOut()) parts << "strike";
  if (format.verticalAlignment() == QTextCharFormat::AlignSuperScript) parts << "super";
  if (format.verticalAlignment() == QTextCharFormat::AlignSubScript) parts << "sub";
  if (format.hasProperty(QTextFormat::ForegroundBrush)) parts << "fg=" + ColorText(format.foreground());
  if (format.hasProperty(QTextFormat::BackgroundBrush)) parts << "bg=" + ColorText(format.background());
  return parts.join(' ');
}

}  // namespace

QString DumpDocument(const QTextDocument& document) {
  QStringList lines;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    const QTextBlockFormat f = block.blockFormat();
    QString line = QString("P %1 list=%2").arg(AlignText(f.alignment()), ListText(block.textList()));
    if (!block.textList() && (f.leftMargin() != 0 || f.textIndent() != 0))
      line += QString(" li=%1 fi=%2").arg(Number(f.leftMargin()), Number(f.textIndent()));
    if (f.rightMargin() != 0) line += " ri=" + Number(f.rightMargin());
    if (f.topMargin() != 0 || f.bottomMargin() != 0)
      line += QString(" sb=%1 sa=%2").arg(Number(f.topMargin()), Number(f.bottomMargin()));
    if (f.lineHeightType() != QTextBlockFormat::SingleHeight)
      line += QString(" line=%1/%2").arg(Number(f.lineHeight())).arg(f.lineHeightType());
    if (f.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore) line += " pagebreak";
    lines << line;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const QTextCharFormat format = fragment.charFormat();
      if (format.isImageFormat()) {
        for (qsizetype i = 0; i < fragment.text().size(); ++i)
          lines << "  " + ImageText(document, format.toImageFormat());
        continue;
      }
      QString text = fragment.text();
      text.replace('\t', "\\t").replace(QChar(0x2028), "\\n");
      lines << QString("  \"%1\" %2").arg(text, CharText(format));
    }
  }
  return lines.join('\n') + '\n';
}

QTextTable* FirstTable(const QTextDocument& document) {
  for (auto it = document.rootFrame()->begin(); !it.atEnd(); ++it)
    if (auto* table = qobject_cast<QTextTable*>(it.currentFrame())) return table;
  return nullptr;
}

}  // namespace orlane::test
