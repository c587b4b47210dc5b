// Local time in iCalendar: the system's time zone as libical knows it, its
// VTIMEZONE, and any time a document gives (floating, UTC, with a zone)
// turned into the local day and time key the day files use.
#pragma once

#include <QByteArray>
#include <QDate>

#include <libical/ical.h>

namespace orlane {

// The system's zone (from its IANA name), nullptr when libical does not know
// it: local times are then written floating.
icaltimezone* SystemIcalZone();
// The IANA name written as TZID ("Europe/Berlin"), empty without a zone.
QByteArray SystemZoneId();
// A new VTIMEZONE of the system's zone with that TZID and the rules in force
// since 1970 (the caller owns it); nullptr without a zone.
icalcomponent* NewSystemZoneComponent();
// The TZID parameter of the system's zone on a floating date-time property
// (DTSTART, EXDATE); nothing without a zone.
void SetSystemZone(icalproperty* property);

struct LocalMoment {
  QDate date;
  QByteArray timeKey;  // "HH:mm:ss"; "09:00:00" for a DATE
  bool dateOnly = false;
};

// The local day and time of t. Floating stays as written; UTC and zoned
// times are converted (zone: the zone t is in, nullptr for its own t.zone).
LocalMoment ToLocalMoment(icaltimetype t, const icaltimezone* zone = nullptr);
// The zone a property's TZID names: the document's VTIMEZONE (root is the
// calendar) or libical's own of that name; nullptr when none.
icaltimezone* ZoneOfProperty(icalcomponent* root, icalproperty* property);

}  // namespace orlane
