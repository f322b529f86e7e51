#include "SoundLibrary.h"

#include <dlfcn.h>

#include <mutex>

namespace jigsaw::sound {

namespace {

template <typename Function>
bool find(void *library, const char *name, Function &function)
{
    function = reinterpret_cast<Function>(dlsym(library, name));
    return function != nullptr;
}

bool load(Library &l)
{
    // The names the libraries' Debian packages install them under.
    void *sdl = dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    void *mixer = dlopen("libSDL2_mixer-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
    return sdl && mixer && find(sdl, "SDL_SetHint", l.SDL_SetHint)
        && find(sdl, "SDL_SetHintWithPriority", l.SDL_SetHintWithPriority)
        && find(sdl, "SDL_ResetHint", l.SDL_ResetHint)
        && find(sdl, "SDL_InitSubSystem", l.SDL_InitSubSystem)
        && find(sdl, "SDL_QuitSubSystem", l.SDL_QuitSubSystem)
        && find(sdl, "SDL_GetCurrentAudioDriver", l.SDL_GetCurrentAudioDriver)
        && find(sdl, "SDL_RWFromFile", l.SDL_RWFromFile)
        && find(sdl, "SDL_RWFromConstMem", l.SDL_RWFromConstMem)
        && find(mixer, "Mix_OpenAudio", l.Mix_OpenAudio)
        && find(mixer, "Mix_CloseAudio", l.Mix_CloseAudio)
        && find(mixer, "Mix_QuerySpec", l.Mix_QuerySpec)
        && find(mixer, "Mix_LoadWAV_RW", l.Mix_LoadWAV_RW)
        && find(mixer, "Mix_FreeChunk", l.Mix_FreeChunk)
        && find(mixer, "Mix_PlayChannel", l.Mix_PlayChannel)
        && find(mixer, "Mix_Playing", l.Mix_Playing)
        && find(mixer, "Mix_HaltChannel", l.Mix_HaltChannel)
        && find(mixer, "Mix_LoadMUSType_RW", l.Mix_LoadMUSType_RW)
        && find(mixer, "Mix_FreeMusic", l.Mix_FreeMusic)
        && find(mixer, "Mix_PlayMusic", l.Mix_PlayMusic)
        && find(mixer, "Mix_HaltMusic", l.Mix_HaltMusic)
        && find(mixer, "Mix_PlayingMusic", l.Mix_PlayingMusic);
}

} // namespace

const Library *library()
{
    static std::once_flag once;
    static Library functions{};
    static bool loaded = false;
    std::call_once(once, [] { loaded = load(functions); });
    return loaded ? &functions : nullptr;
}

} // namespace jigsaw::sound
