#include <gtest/gtest.h>

#include "palette_image.h"

namespace {

// Four quarters: transparent, faint (under half opaque), red, and a blue gradient of 64 shades.
QImage QuarterImage() {
    QImage image(16, 16, QImage::Format_ARGB32);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            QRgb c = 0;
            if (y < 8) {
                c = x < 8 ? qRgba(0, 0, 0, 0) : qRgba(0, 255, 0, 100);
            } else {
                c = x < 8 ? qRgb(200, 0, 0) : qRgb(0, 0, 4 * ((y - 8) * 8 + (x - 8)));
            }
            image.setPixel(x, y, c);
        }
    }
    return image;
}

TEST(ToPaletteImage, MakesLessThanHalfOpaquePixelsTransparentEntryZero) {
    const QImage indexed = ToPaletteImage(QuarterImage(), 16, {});
    ASSERT_EQ(indexed.format(), QImage::Format_Indexed8);
    EXPECT_EQ(indexed.color(0), qRgba(0, 0, 0, 0));
    EXPECT_EQ(indexed.pixelIndex(0, 0), 0);
    EXPECT_EQ(indexed.pixelIndex(12, 3), 0);
    EXPECT_NE(indexed.pixelIndex(3, 12), 0);
    EXPECT_EQ(qAlpha(indexed.pixel(3, 12)), 255);
}

TEST(ToPaletteImage, StaysWithinTheColourCountAndKeepsTheGivenColours) {
    const QRgb keep = qRgb(200, 0, 0);
    const QImage indexed = ToPaletteImage(QuarterImage(), 16, {keep});
    EXPECT_LE(indexed.colorCount(), 16);
    EXPECT_EQ(indexed.color(1), keep);
    EXPECT_EQ(indexed.pixel(3, 12), keep);
}

TEST(ToPaletteImage, MapsEachPixelToItsNearestEntry) {
    const QImage indexed = ToPaletteImage(QuarterImage(), 256, {});
    // With room for every shade, each blue pixel keeps its own blue within the bucket width.
    for (int y = 8; y < 16; ++y) {
        for (int x = 8; x < 16; ++x) {
            const int blue = 4 * ((y - 8) * 8 + (x - 8));
            EXPECT_NEAR(qBlue(indexed.pixel(x, y)), blue, 7) << x << "," << y;
            EXPECT_EQ(qRed(indexed.pixel(x, y)), 0);
        }
    }
}

TEST(ToPaletteImage, IsDeterministic) {
    EXPECT_EQ(ToPaletteImage(QuarterImage(), 16, {}), ToPaletteImage(QuarterImage(), 16, {}));
}

}  // namespace
