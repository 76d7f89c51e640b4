// The compositions: the menu piece, the two level pieces and the two effects.
#pragma once

#include "synth.h"

namespace synth {

Song MenuPiece();        // "music1.ogg"
Song FirstLevelPiece();  // "music2.ogg"
Song SecondLevelPiece(); // "music3.ogg"
Song LevelJingle();      // the end-of-level jingle
Song MatchChime();       // the tile-match effect

}  // namespace synth
