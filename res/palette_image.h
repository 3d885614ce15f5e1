#pragma once

#include <QImage>
#include <vector>

// Reduces a full-colour image to an indexed one of at most `colours` palette entries, as the
// device's 16- and 256-colour icon images are. Entry 0 is fully transparent and takes every
// pixel that is less than half opaque; the other pixels become opaque. The palette starts with
// `keep` (colours that must survive, such as a picture's fill colours) and is filled up with the
// image's most frequent other colours; each pixel takes its nearest entry. Deterministic.
QImage ToPaletteImage(const QImage& image, int colours, const std::vector<QRgb>& keep);
