// The engine as a game includes it: the base class, which brings in the rest a game uses.
#pragma once
#include "engine/core/BaseEngine.h"
