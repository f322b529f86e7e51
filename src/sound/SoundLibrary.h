#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

// The sound libraries, SDL and SDL_mixer, with the dozens of libraries they bring along, loaded
// when they are first needed instead of with the game: a game starts in half the time, and
// nothing sounds before the player has done something.
namespace jigsaw::sound {

// The functions the game uses, named after SDL's own.
struct Library
{
    decltype(&::SDL_SetHint) SDL_SetHint;
    decltype(&::SDL_SetHintWithPriority) SDL_SetHintWithPriority;
    decltype(&::SDL_ResetHint) SDL_ResetHint;
    decltype(&::SDL_InitSubSystem) SDL_InitSubSystem;
    decltype(&::SDL_QuitSubSystem) SDL_QuitSubSystem;
    decltype(&::SDL_GetCurrentAudioDriver) SDL_GetCurrentAudioDriver;
    decltype(&::SDL_RWFromFile) SDL_RWFromFile;
    decltype(&::SDL_RWFromConstMem) SDL_RWFromConstMem;
    decltype(&::Mix_OpenAudio) Mix_OpenAudio;
    decltype(&::Mix_CloseAudio) Mix_CloseAudio;
    decltype(&::Mix_QuerySpec) Mix_QuerySpec;
    decltype(&::Mix_LoadWAV_RW) Mix_LoadWAV_RW;
    decltype(&::Mix_FreeChunk) Mix_FreeChunk;
    decltype(&::Mix_PlayChannel) Mix_PlayChannel;
    decltype(&::Mix_Playing) Mix_Playing;
    decltype(&::Mix_HaltChannel) Mix_HaltChannel;
    decltype(&::Mix_LoadMUSType_RW) Mix_LoadMUSType_RW;
    decltype(&::Mix_FreeMusic) Mix_FreeMusic;
    decltype(&::Mix_PlayMusic) Mix_PlayMusic;
    decltype(&::Mix_HaltMusic) Mix_HaltMusic;
    decltype(&::Mix_PlayingMusic) Mix_PlayingMusic;
};

// Loads the libraries at the first call, from whichever thread, and keeps them; null when
// they cannot be loaded, and then the game is silent.
const Library *library();

// The libraries, for code that runs only once the output is open (so they are loaded).
inline const Library &loaded()
{
    return *library();
}

} // namespace jigsaw::sound
