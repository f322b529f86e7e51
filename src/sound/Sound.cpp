#include "Sound.h"

namespace jigsaw {

Sound::Sound(const QString &appDir)
    : m_cues(m_output, appDir)
    , m_music(m_output)
{
}

} // namespace jigsaw
