#pragma once
// Colour arithmetic of the frame painter and the speed button: weighted blends
// of two RGB colours (0x00BBGGRR). Platform-neutral; the caller resolves system
// colours to RGB first.
#include <cstdint>

// Per channel (weight × a + (256 − weight) × b) div 256, rounded down: 256
// gives a, 0 gives b, 128 the average. Weights above 256 count as 256.
uint32_t BlendRGB(uint32_t a, uint32_t b, unsigned weight);

// The weight of the first colour for the ratio p : q, p × 256 div (p + q);
// an even blend when both are 0.
unsigned RatioWeight(unsigned p, unsigned q);
