#include "diary/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <cstring>

namespace orlane {
namespace {

constexpr int kFallbackCodePage = 1252;
// iconv_open's failure value.
const iconv_t kNoHandle = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)

QByteArray IconvName(int codePage) {
  switch (codePage) {
    case 10000: return "MACINTOSH";
    case 1361: return "JOHAB";
    case 20127: return "ASCII";
    case 28591: return "ISO-8859-1";
    case 65001: return "UTF-8";
    default: return "CP" + QByteArray::number(codePage);
  }
}

// Eight bytes at a time: page text is mostly ASCII and comes in long runs.
bool IsAscii(QByteArrayView bytes) {
  const char* p = bytes.data();
  const char* end = p + bytes.size();
  std::uint64_t high = 0;
  for (; end - p >= 8; p += 8) {
    std::uint64_t word;
    std::memcpy(&word, p, sizeof word);
    high |= word;
  }
  for (; p < end; ++p) high |= static_cast<unsigned char>(*p);
  return (high & 0x8080808080808080ULL) == 0;
}

}  // namespace

int CodePageOfCharset(int charset) {
  switch (charset) {
    case 0:
    case 2:  // Symbol: the glyph codes are kept as Latin text
      return 1252;
    case 77: return 10000;
    case 128: return 932;
    case 129: return 949;
    case 130: return 1361;
    case 134: return 936;
    case 136: return 950;
    case 161: return 1253;
    case 162: return 1254;
    case 163: return 1258;
    case 177: return 1255;
    case 178: return 1256;
    case 186: return 1257;
    case 204: return 1251;
    case 222: return 874;
    case 238: return 1250;
    case 254: return 437;
    case 255: return 850;
    default: return 0;
  }
}

CodePageDecoder::~CodePageDecoder() {
  for (auto& [page, handle] : handles_)
    if (handle) iconv_close(static_cast<iconv_t>(handle));
}

void* CodePageDecoder::handleFor(int codePage) {
  const auto found = handles_.find(codePage);
  if (found != handles_.end()) return found->second;
  iconv_t handle = iconv_open("UTF-8", IconvName(codePage).constData());
  void* stored = handle == kNoHandle ? nullptr : static_cast<void*>(handle);
  handles_.emplace(codePage, stored);
  return stored;
}

void CodePageDecoder::decode(int codePage, QByteArrayView bytes, QString& out) {
  if (bytes.isEmpty()) return;
  if (IsAscii(bytes)) {
    out += QLatin1StringView(bytes.data(), bytes.size());
    return;
  }
  void* handle = handleFor(codePage > 0 ? codePage : kFallbackCodePage);
  if (!handle) handle = handleFor(kFallbackCodePage);
  if (!handle) {
    out += QString::fromLatin1(bytes.data(), bytes.size());
    return;
  }
  auto* cd = static_cast<iconv_t>(handle);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state per run
  QByteArray utf8;
  utf8.resize(bytes.size() * 4 + 16);
  char* in = const_cast<char*>(bytes.data());
  size_t inLeft = static_cast<size_t>(bytes.size());
  char* outPtr = utf8.data();
  size_t outLeft = static_cast<size_t>(utf8.size());
  while (inLeft > 0) {
    if (iconv(cd, &in, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) break;  // cannot happen with four bytes per input byte
    // EILSEQ or EINVAL (a lead byte without its trail): one replacement, go on.
    if (outLeft < 3) break;
    std::memcpy(outPtr, "\xEF\xBF\xBD", 3);
    outPtr += 3;
    outLeft -= 3;
    ++in;
    --inLeft;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  utf8.truncate(outPtr - utf8.data());
  out += QString::fromUtf8(utf8);
}

}  // namespace orlane
