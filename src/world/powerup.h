#pragma once

// The kinds of powerup: the one on display is never None, which means none collected yet.
enum class PowerupKind { Glide = 0, DoublePoints = 1, None = 2 };
