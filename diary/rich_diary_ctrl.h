// CRichDiaryCtrl: the editor of a diary page (and of a reminder's note). A
// QTextEdit whose page goes in and out as RTF through the program's reader and
// writer; it keeps pictures and attached files, offers its context menu, opens
// links and attached files with the desktop, prints and finds. Messages go
// through the program's themed message box.
#pragma once

#include <QByteArray>
#include <QPointer>
#include <QStringList>
#include <QTextDocument>
#include <QTextEdit>
#include <QUrl>

class QPrinter;

namespace orlane {

class NMacMenu;
class SpellHighlighter;
class SpellSession;

class CRichDiaryCtrl : public QTextEdit {
  Q_OBJECT

 public:
  // The context menu's commands; those of the spell checking stand above
  // the others when the menu opens on a misspelled word.
  enum : int {
    kCut = 9001,
    kCopy = 9002,
    kPaste = 9003,
    kInsertPicture = 9005,
    kBulletStyle = 9006,
    kAddToDictionary = 9007,
    kIgnoreWord = 9008,
    kNoSuggestion = 9010,
    kSuggestionFirst = 9011,
    kSuggestionLast = 9018,
  };

  explicit CRichDiaryCtrl(QWidget* parent = nullptr);
  Q_DISABLE_COPY_MOVE(CRichDiaryCtrl)

  // The theme of its notices and of the spelling's wave underline.
  void SetTheme(int theme);
  // Checks the spelling with session (kept by the caller); none turns it off.
  void SetSpellSession(SpellSession* session);
  SpellSession* Spelling() const;
  // Marks the misspelled words of the whole page again, as after a new page.
  void RecheckSpelling();

  // An empty page whose typing starts from the default format.
  void ClearPage();
  // The page from RTF; false when it could not be read completely (what could
  // be read is shown).
  bool SetRtfText(const QByteArray& rtf);
  QByteArray GetRtf() const;
  // Writes the page as RTF to path (asks for one when empty; ".rtf" is added
  // to a name without a dot). 1 written, 0 not.
  int SaveRtf(QString path);
  // Makes an RTF file the page (asks when path is empty). 1 read, 0 not.
  int ImportRtf(QString path);
  // A picture file at the caret (asks when empty): bmp, jpg, gif, ico, png.
  int InsertBitmapFile(QString path);
  int InsertPicture(const QString& path = {}) { return InsertBitmapFile(path); }
  void InsertBitmap(const QImage& picture);
  // Embeds a file, shown as an icon with its name (asks when empty).
  int InsertObjectFromFile(QString path);
  // One inch margins on every side.
  void PrintTo(QPrinter& printer) const;
  // Finds text after the caret; with wrap, asks to go on from the start and
  // says "Not found!" when it is nowhere. True when found.
  bool Find(const QString& text, QTextDocument::FindFlags flags, bool wrap);

  // Opens an attached file with the desktop, from a private copy; a file that
  // would run is opened only after a question naming it, "No" by default.
  // 1 when handed over.
  int OpenAttachment(const QTextFormat& format);

  void OnCommand(int id);
  void ShowContextMenu(const QPoint& at);

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;
  QMimeData* createMimeDataFromSelection() const override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The misspelled word the menu opened on, and what it could become.
  struct SpellTarget {
    int start = -1;
    QString word;
    QStringList suggestions;
  };
  void FindSpellTarget(const QPoint& at);
  void AppendSpellItems(NMacMenu& menu) const;
  void OnSpellCommand(int id);

  int theme_ = 5;
  QPointer<SpellSession> spell_;
  QPointer<SpellHighlighter> highlighter_;
  SpellTarget spellTarget_;
};

}  // namespace orlane
