#include "Sound.h"

#include "SoundLibrary.h"

namespace jigsaw {

Sound::Sound(const QString &appDir)
    : m_cues(m_output, appDir)
    , m_music(m_output)
{
}

void Sound::loadLibrariesSoon()
{
    if (!m_loader.joinable())
        m_loader = std::jthread([] { sound::library(); });
}

} // namespace jigsaw
