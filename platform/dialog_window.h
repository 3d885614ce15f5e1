#pragma once

#include <QDialog>
#include <QRect>

class CDialog;
struct ControlTemplate;
class QButtonGroup;

// The top-level window of a CDialog, owned by `owner` (the window that runs it), over which it
// opens. Escape and the window's close button become the commands the device's dialog manager
// would send; key presses pass the dialog's PreTranslateKey first.
class DialogWindow : public QDialog {
public:
    DialogWindow(CDialog* dialog, QWidget* owner);

    // Where the template's controls stand: the window's area below its menu bar, if it has one.
    QWidget* Client() const { return m_client; }
    // Creates the widget for one template item in the client area.
    QWidget* CreateControl(const ControlTemplate& item, QButtonGroup*& radioGroup);
    int FocusedControlId() const;
    QWidget* FocusedControl() const;
    // Whether done() has ended the dialog.
    bool IsFinished() const { return m_finished; }

protected:
    void reject() override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CDialog* m_dialog;
    QWidget* m_client;
    bool m_finished = false;
};

// Makes `window` the active window at once, for Qt and for the window system, so that the
// keyboard focus is in it (back in its last focused control) with or without a window manager.
void ActivateWindow(QWidget* window);

// Dialog units to pixels, from the average character width and the height of the dialog's font.
class DialogUnits {
public:
    explicit DialogUnits(const QFont& font);
    int X(int units) const { return (units * m_baseX + 2) / 4; }
    int Y(int units) const { return (units * m_baseY + 4) / 8; }
    // A rectangle by its edges, so that neighbours that touch in dialog units touch in pixels
    // and a control that reaches the dialog's edge ends exactly there.
    QRect Rect(int x, int y, int cx, int cy) const {
        return QRect(QPoint(X(x), Y(y)), QPoint(X(x + cx) - 1, Y(y + cy) - 1));
    }

private:
    int m_baseX;
    int m_baseY;
};
