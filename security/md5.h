// MD5 message digest (RFC 1321), the program's own, used to key the cipher.
#pragma once

#include <QByteArrayView>
#include <array>
#include <cstdint>

namespace orlane {

using Md5Digest = std::array<std::uint8_t, 16>;

Md5Digest Md5(QByteArrayView data);

}  // namespace orlane
