#pragma once

#include <QByteArray>

namespace jigsaw {

// The short beep played in place of a wave cue whose file is missing or unreadable, as a
// complete wave file in memory: 0.15 s of 880 Hz, mono, with a soft start and end so that it
// does not click.
QByteArray defaultBeepWave();

} // namespace jigsaw
