#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>
#include <set>

#include "app_icon.h"
#include "program_resources.h"
#include "resource.h"

namespace {

// Pixmaps need an application object; the tests run on the offscreen platform.
class AppIcon : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QGuiApplication::instance() == nullptr) {
            app_ = std::make_unique<QGuiApplication>(argc_, argv_);
        }
    }
    static void TearDownTestSuite() { app_.reset(); }

private:
    static inline int argc_ = 1;
    static inline char arg0_[] = "res_tests";
    static inline char* argv_[] = {arg0_, nullptr};
    static inline std::unique_ptr<QGuiApplication> app_;
};

int OpaquePixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += qAlpha(image.pixel(x, y)) >= 128;
        }
    }
    return n;
}

TEST_F(AppIcon, ResourceHoldsTheFourDeviceImages) {
    const std::vector<QImage> images = AppIconResourceImages();
    ASSERT_EQ(images.size(), 4u);
    const struct { int size, colours; } expected[] = {{32, 16}, {16, 16}, {32, 256}, {48, 256}};
    for (size_t i = 0; i < images.size(); ++i) {
        EXPECT_EQ(images[i].size(), QSize(expected[i].size, expected[i].size)) << i;
        EXPECT_EQ(images[i].format(), QImage::Format_Indexed8) << i;
        EXPECT_LE(images[i].colorCount(), expected[i].colours) << i;
        EXPECT_EQ(images[i].color(0), qRgba(0, 0, 0, 0)) << i;
    }
    // The 256-colour images really use more than 16 colours: their edges stay smooth.
    EXPECT_GT(images[2].colorCount(), 16);
    EXPECT_GT(images[3].colorCount(), 16);
}

TEST_F(AppIcon, SmallImageIsAPictureNotABlank) {
    const QImage small = AppIconResourceImages()[1];
    const int opaque = OpaquePixels(small);
    EXPECT_GT(opaque, 16 * 16 / 4);
    EXPECT_LT(opaque, 16 * 16 * 9 / 10);
    std::set<int> used;
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            used.insert(small.pixelIndex(x, y));
        }
    }
    EXPECT_GE(used.size(), 5u);  // transparency and at least four colours of the picture
    EXPECT_EQ(small.pixelIndex(0, 0), 0);
    EXPECT_EQ(small.pixelIndex(15, 0), 0);
}

TEST_F(AppIcon, RendersEveryHicolorSizeTheSameWayEachTime) {
    for (int size : kHicolorIconSizes) {
        const QImage image = RenderAppIcon(size);
        EXPECT_EQ(image.size(), QSize(size, size));
        EXPECT_GT(OpaquePixels(image), size * size / 4) << size;
        EXPECT_EQ(image, RenderAppIcon(size)) << size;
    }
}

TEST_F(AppIcon, IsTheProgramsIconResource128) {
    const IconResource* icon = ProgramResources().FindIcon(IDR_MAINFRAME);
    ASSERT_NE(icon, nullptr);
    std::set<int> sizes;
    for (const QImage& image : icon->images()) {
        sizes.insert(image.width());
    }
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
    EXPECT_EQ(ProgramResources().FindIcon(IDD_TARVO_DIALOG), nullptr);
}

}  // namespace
