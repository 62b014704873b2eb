// The one SDL2_mixer audio device that the waves and the music share. It is
// opened by the first player that needs it and closed with the last one; on a
// machine without audio it is tried once, says so in one line on standard
// error, and the players stay silent.
#pragma once

namespace varenta {

// True when the device is open; each successful call needs a ReleaseSdlAudio.
bool AcquireSdlAudio();
void ReleaseSdlAudio();

} // namespace varenta
