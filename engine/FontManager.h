// The font table as a game includes it.
#pragma once
#include "engine/text/FontManager.h"
