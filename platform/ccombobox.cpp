#include "ccombobox.h"

#include <QComboBox>

#include "qt_text.h"
#include "win_types.h"

namespace {

QComboBox* Box(QWidget* widget) {
    return qobject_cast<QComboBox*>(widget);
}

}  // namespace

void CComboBox::ResetContent() {
    if (QComboBox* box = Box(m_widget)) {
        box->clear();
    }
}

int CComboBox::AddString(const std::u16string& text) {
    QComboBox* box = Box(m_widget);
    if (box == nullptr) {
        return CB_ERR;
    }
    box->addItem(ToQString(text));
    return box->count() - 1;
}

int CComboBox::GetCount() const {
    const QComboBox* box = Box(m_widget);
    return box == nullptr ? 0 : box->count();
}

int CComboBox::SetCurSel(int index) {
    QComboBox* box = Box(m_widget);
    if (box == nullptr || index < -1 || index >= box->count()) {
        return CB_ERR;
    }
    box->setCurrentIndex(index);
    return index;
}

int CComboBox::GetCurSel() const {
    const QComboBox* box = Box(m_widget);
    return box == nullptr ? CB_ERR : box->currentIndex();
}
