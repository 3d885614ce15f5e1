#pragma once

#include <QImage>
#include <array>
#include <vector>

// The program's icon, drawn in code so that every size comes from the same picture: a fuel
// pump with a gauge in its window and a fuel drop on its front.

// The sizes a desktop theme's hicolor folder gets from the install step.
inline constexpr std::array<int, 6> kHicolorIconSizes = {16, 32, 48, 64, 128, 256};

// The icon in full colour (ARGB32, premultiplied), pixelSize x pixelSize.
QImage RenderAppIcon(int pixelSize);

// The images of icon resource 128, as the device's icon holds them: 32 x 32 and 16 x 16 at
// 16 colours, then 32 x 32 and 48 x 48 at 256 colours. Each is an indexed image whose palette
// entry 0 is transparent.
std::vector<QImage> AppIconResourceImages();
