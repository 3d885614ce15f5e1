// tarvo_write_icons OUTDIR: writes the program's icon as OUTDIR/<N>x<N>/apps/tarvo.png for each
// hicolor theme size, for the install step. The icon is pure raster drawing without text, so no
// application object is needed.

#include <QDir>
#include <cstdio>

#include "app_icon.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tarvo_write_icons OUTDIR\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : kHicolorIconSizes) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        const QString file = out.filePath(folder + QStringLiteral("/tarvo.png"));
        if (!out.mkpath(folder) || !RenderAppIcon(size).save(file, "PNG")) {
            std::fprintf(stderr, "tarvo_write_icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
