// The background sound on Windows: the multimedia sound service plays the
// file itself, looping.
#include "app/sound.h"

#include <windows.h>
#include <mmsystem.h>

void startLoopingSound() {
    // Without SND_NODEFAULT a missing or unreadable file plays Windows'
    // default sound instead, looping; silence is what it means elsewhere.
    PlaySoundA(SOUND_FILE, NULL, SND_ASYNC | SND_LOOP | SND_NODEFAULT);
}
