// Owners of what libical hands out: a component tree and a text buffer.
#pragma once

#include <QByteArray>

#include <libical/ical.h>

#include <memory>

namespace orlane {

struct FreeIcalComponent {
  void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using IcalComponent = std::unique_ptr<icalcomponent, FreeIcalComponent>;

// The text of a *_r function of libical (NULL gives an empty text); the buffer is freed.
inline QByteArray OwnedIcalText(char* text) {
  struct FreeChars {
    void operator()(char* p) const { icalmemory_free_buffer(p); }
  };
  const std::unique_ptr<char, FreeChars> owned(text);
  return owned ? QByteArray(owned.get()) : QByteArray();
}

}  // namespace orlane
