// Pictures as a game includes them.
#pragma once
#include "engine/pictures/ImageData.h"
