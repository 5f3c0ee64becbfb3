#pragma once

#include "image.h"

// The game's images, drawn procedurally.
Image woodTexture();
Image alhambraWallsTexture();
Image metalPanelBlueTexture();
Image pauseBackgroundTexture();
Image glassPanelCornerTexture();
Image starParticleTexture();
