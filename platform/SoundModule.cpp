// The module that LoadedSoundService loads: the recordings played through
// QtMultimedia.
#include "platform/QtSoundService.h"

extern "C" Q_DECL_EXPORT SoundService *lettriskoCreateSoundOutput()
{
    return new QtSoundService;
}
