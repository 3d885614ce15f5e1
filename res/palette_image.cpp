#include "palette_image.h"

#include <algorithm>
#include <map>
#include <unordered_map>

namespace {

constexpr int kOpaqueFrom = 128;

// Colours are counted in buckets of five bits per channel, so that the many near-equal shades
// that anti-aliasing leaves along an edge compete as one colour.
int Bucket(QRgb c) {
    return (qRed(c) >> 3) << 10 | (qGreen(c) >> 3) << 5 | (qBlue(c) >> 3);
}

struct Tally {
    int count = 0;
    int red = 0;
    int green = 0;
    int blue = 0;
};

int SquaredDistance(QRgb a, QRgb b) {
    const int dr = qRed(a) - qRed(b);
    const int dg = qGreen(a) - qGreen(b);
    const int db = qBlue(a) - qBlue(b);
    return dr * dr + dg * dg + db * db;
}

// The opaque palette entry (1 on) closest to c.
int Nearest(const QVector<QRgb>& palette, QRgb c) {
    int best = 1;
    for (int i = 2; i < palette.size(); ++i) {
        if (SquaredDistance(palette[i], c) < SquaredDistance(palette[best], c)) {
            best = i;
        }
    }
    return best;
}

}  // namespace

QImage ToPaletteImage(const QImage& image, int colours, const std::vector<QRgb>& keep) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);

    QVector<QRgb> palette{qRgba(0, 0, 0, 0)};
    for (QRgb c : keep) {
        if (palette.size() < colours) {
            palette.push_back(qRgb(qRed(c), qGreen(c), qBlue(c)));
        }
    }

    std::map<int, Tally> tallies;  // ordered by bucket, so equal counts rank the same every run
    for (int y = 0; y < argb.height(); ++y) {
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = argb.pixel(x, y);
            if (qAlpha(c) < kOpaqueFrom) {
                continue;
            }
            Tally& t = tallies[Bucket(c)];
            ++t.count;
            t.red += qRed(c);
            t.green += qGreen(c);
            t.blue += qBlue(c);
        }
    }
    for (QRgb c : keep) {
        tallies.erase(Bucket(c));
    }
    std::vector<Tally> ranked;
    for (const auto& entry : tallies) {
        ranked.push_back(entry.second);
    }
    std::stable_sort(ranked.begin(), ranked.end(),
                     [](const Tally& a, const Tally& b) { return a.count > b.count; });
    for (const Tally& t : ranked) {
        if (palette.size() >= colours) {
            break;
        }
        palette.push_back(qRgb(t.red / t.count, t.green / t.count, t.blue / t.count));
    }

    QImage indexed(argb.size(), QImage::Format_Indexed8);
    indexed.setColorTable(palette);
    // An anti-aliased picture repeats a few hundred colours over thousands of pixels: each
    // colour is matched against the palette once.
    std::unordered_map<QRgb, uchar> nearest;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* from = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
        uchar* to = indexed.scanLine(y);
        for (int x = 0; x < argb.width(); ++x) {
            const QRgb c = from[x];
            if (qAlpha(c) < kOpaqueFrom) {
                to[x] = 0;
                continue;
            }
            const auto [found, isNew] = nearest.try_emplace(c & RGB_MASK, uchar(0));
            if (isNew) {
                found->second = static_cast<uchar>(Nearest(palette, c));
            }
            to[x] = found->second;
        }
    }
    return indexed;
}
