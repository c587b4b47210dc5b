// The media module: where it is installed, and the engines it makes.
#pragma once

#include "controls/media_engine.h"

#include <QString>

namespace orlane {

// The module's file beside the program (the build tree and an install keep
// it at the same place relative to the program's folder).
QString MediaModulePath();

// An engine for host, or null when the module cannot be loaded (said once in
// the error output, with the reason).
MediaEngine* MakeMediaEngine(QFrame& host, MediaEngineEvents events);

}  // namespace orlane
