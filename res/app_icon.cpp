#include "app_icon.h"

#include <QPainter>
#include <QPainterPath>

#include "palette_image.h"

namespace {

// The picture is drawn on a 48 x 48 grid and scaled to the size asked for.
constexpr qreal kGrid = 48.0;

// The picture's fill colours; the reduced-colour images keep every one of them.
constexpr QRgb kPumpGreen = 0xFF2E7D32;
constexpr QRgb kPumpOutline = 0xFF1B5E20;
constexpr QRgb kWindow = 0xFFF1F8E9;
constexpr QRgb kNeedle = 0xFFD32F2F;
constexpr QRgb kHose = 0xFF37474F;
constexpr QRgb kDrop = 0xFFFFC107;

void DrawHose(QPainter& p) {
    // The hose leaves the pump's side low down, rises along it and ends in the nozzle, which
    // hangs on its hook at the top.
    QPainterPath hose(QPointF(31, 33));
    hose.cubicTo(QPointF(37, 33), QPointF(40, 32), QPointF(40, 26));
    hose.lineTo(QPointF(40, 15));
    p.setPen(QPen(QColor(kHose), 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(hose);
    p.setPen(QPen(QColor(kHose), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(40, 15), QPointF(35, 9));
}

void DrawPump(QPainter& p) {
    p.setPen(QPen(QColor(kPumpOutline), 2));
    p.setBrush(QColor(kPumpGreen));
    p.drawRoundedRect(QRectF(8, 5, 23, 36), 3, 3);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kHose));
    p.drawRoundedRect(QRectF(4, 39, 31, 6), 1.5, 1.5);
}

void DrawGauge(QPainter& p) {
    // The window shows a dial: its scale as an arc, the needle well up towards full.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kWindow));
    p.drawRoundedRect(QRectF(12, 9, 15, 12), 2, 2);
    p.setPen(QPen(QColor(kPumpOutline), 1.5, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(14, 12, 11, 11), 20 * 16, 140 * 16);
    p.setPen(QPen(QColor(kNeedle), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(19.5, 19), QPointF(24, 13));
}

void DrawDrop(QPainter& p) {
    QPainterPath drop(QPointF(19.5, 24));
    drop.cubicTo(QPointF(21, 27.5), QPointF(24.5, 30), QPointF(24.5, 33));
    drop.cubicTo(QPointF(24.5, 36), QPointF(22.2, 38), QPointF(19.5, 38));
    drop.cubicTo(QPointF(16.8, 38), QPointF(14.5, 36), QPointF(14.5, 33));
    drop.cubicTo(QPointF(14.5, 30), QPointF(18, 27.5), QPointF(19.5, 24));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kDrop));
    p.drawPath(drop);
}

}  // namespace

QImage RenderAppIcon(int pixelSize) {
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixelSize / kGrid, pixelSize / kGrid);
    DrawHose(p);
    DrawPump(p);
    DrawGauge(p);
    DrawDrop(p);
    return image;
}

std::vector<QImage> AppIconResourceImages() {
    const std::vector<QRgb> keep = {kPumpGreen, kPumpOutline, kWindow, kNeedle, kHose, kDrop};
    struct Image {
        int size;
        int colours;
    };
    constexpr Image kImages[] = {{32, 16}, {16, 16}, {32, 256}, {48, 256}};
    std::vector<QImage> images;
    for (const Image& i : kImages) {
        images.push_back(ToPaletteImage(RenderAppIcon(i.size), i.colours, keep));
    }
    return images;
}
