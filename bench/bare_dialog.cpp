// The floor Qt itself sets for starting a program like Tarvo on this machine: a bare Qt dialog
// of the main window's size, shown and painted once, and the program ends. whole_startup starts
// it in turns with Tarvo's start-up probe and passes it the probe's window size in pixels:
//   bare_dialog WIDTH HEIGHT
// What it prints at its first paint is in first_paint.h.
//
// "Bare" means the stock Qt widgets the main window is made of, where the main window has them,
// and nothing more: a QDialog in the main template's font size with, for each of its controls,
// a QPushButton, a QGroupBox, a read-only frameless QLineEdit or a QTreeView whose stock item
// model holds the list's nine column titles at their widths. Only the template and the column
// table are taken from Tarvo, both plain data. No file is read, no icon drawn, no row listed, no
// message map or data exchange runs: whatever Tarvo takes beyond this is its own share.

#include <cstdlib>

#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>

#include "first_paint.h"
#include "list_columns.h"
#include "templates.h"

namespace {

QString ToQString(std::u16string_view text) {
    return QString(reinterpret_cast<const QChar*>(text.data()),
                   static_cast<qsizetype>(text.size()));
}

QTreeView* MakeList(QWidget* parent) {
    auto* list = new QTreeView(parent);
    auto* model = new QStandardItemModel(0, static_cast<int>(kListColumns.size()), list);
    list->setModel(model);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->header()->setStretchLastSection(false);
    list->header()->setMinimumSectionSize(0);
    for (std::size_t c = 0; c < kListColumns.size(); ++c) {
        const int column = static_cast<int>(c);
        model->setHeaderData(column, Qt::Horizontal, ToQString(kListColumns[c].title));
        list->header()->resizeSection(column, kListColumns[c].width);
    }
    return list;
}

QWidget* MakeControl(const ControlTemplate& item, QWidget* parent) {
    switch (item.cls) {
        case ControlClass::Button:
            if ((item.style & BS_TYPEMASK) == BS_GROUPBOX) {
                return new QGroupBox(ToQString(item.text), parent);
            }
            return new QPushButton(ToQString(item.text), parent);
        case ControlClass::ListView:
            return MakeList(parent);
        default: {
            auto* edit = new QLineEdit(ToQString(item.text), parent);
            edit->setReadOnly(true);
            edit->setFrame(false);
            edit->setAlignment(((item.style & ES_RIGHT) != 0 ? Qt::AlignRight : Qt::AlignLeft) |
                               Qt::AlignVCenter);
            return edit;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    const int width = argc == 3 ? std::atoi(argv[1]) : 0;
    const int height = argc == 3 ? std::atoi(argv[2]) : 0;
    if (width <= 0 || height <= 0) {
        qCritical("usage: bare_dialog WIDTH HEIGHT (the window's size in pixels)");
        return 2;
    }

    const DialogTemplate layout = BuildMainTemplate();
    QDialog dialog;
    QFont font = QApplication::font();
    font.setPointSize(layout.pointSize);
    dialog.setFont(font);
    dialog.setWindowTitle(QStringLiteral("Bare Qt dialog"));
    dialog.setFixedSize(width, height);
    QTreeView* list = nullptr;
    for (const ControlTemplate& item : layout.controls) {
        QWidget* control = MakeControl(item, &dialog);
        // The window's size in pixels stands for the template's size in dialog units.
        control->setGeometry(item.x * width / layout.cx, item.y * height / layout.cy,
                             item.cx * width / layout.cx, item.cy * height / layout.cy);
        if (auto* box = qobject_cast<QGroupBox*>(control)) {
            box->lower();  // a frame behind the controls inside it
        } else if (auto* view = qobject_cast<QTreeView*>(control)) {
            list = view;
        }
    }
    if (list == nullptr) {
        qCritical("the main template has no list");
        return 1;
    }

    FirstPaint watcher([list] { return list->viewport(); }, [] { QApplication::quit(); });
    application.installEventFilter(&watcher);
    dialog.show();
    return application.exec();
}
