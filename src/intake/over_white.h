// Decoded rows of blue, green, red, alpha made the loaded picture's blue, green, red, 0.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skelda {

// Transparent means not burnt: each channel c of alpha a becomes round((a c + (255 - a) 255) /
// 255), whatever colour a fully transparent pixel carries.
void CompositeOverWhite(std::uint8_t* pixels, std::size_t count);
// The same for alpha already multiplied in (c = a × colour): c + 255 - a.
void CompositePremultipliedOverWhite(std::uint8_t* pixels, std::size_t count);
// Opaque pixels: only the fourth byte cleared.
void ClearAlpha(std::uint8_t* pixels, std::size_t count);

}  // namespace skelda
