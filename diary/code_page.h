// Turns bytes of a Windows code page into text through glibc's iconv. Owns one
// iconv handle per code page met, opened on first use and closed with the
// decoder. Bytes that do not decode become U+FFFD; unknown code pages fall
// back to Windows-1252.
#pragma once

#include <QByteArrayView>
#include <QString>

#include <map>

namespace orlane {

// The code page of an RTF \fcharset value, or 0 when the charset says "use
// the document's code page".
int CodePageOfCharset(int charset);

class CodePageDecoder final {
 public:
  CodePageDecoder() = default;
  ~CodePageDecoder();
  CodePageDecoder(const CodePageDecoder&) = delete;
  CodePageDecoder& operator=(const CodePageDecoder&) = delete;

  // Appends the decoded bytes to out.
  void decode(int codePage, QByteArrayView bytes, QString& out);

 private:
  void* handleFor(int codePage);

  std::map<int, void*> handles_;  // iconv_t per code page; nullptr when iconv lacks it
};

}  // namespace orlane
