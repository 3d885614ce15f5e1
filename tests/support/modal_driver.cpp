#include "modal_driver.h"

#include <gtest/gtest.h>
#include <QLabel>
#include <QMessageBox>
#include <QString>
#include <QTextDocumentFragment>

#include "cdialog.h"

namespace {

std::string Utf8(const std::u16string& text) {
    return QString::fromStdU16String(text).toStdString();
}

}  // namespace

ModalDriver::ModalDriver() : m_previous(SetModalHook(this)) {}

ModalDriver::~ModalDriver() {
    SetModalHook(m_previous);
    for (const auto& [id, handlers] : m_dialogHandlers) {
        EXPECT_TRUE(handlers.empty()) << handlers.size() << " handler(s) for dialog " << id
                                      << " were never used: the dialog did not open";
    }
    EXPECT_TRUE(m_boxHandlers.empty())
        << m_boxHandlers.size() << " message box answer(s) were never used";
    EXPECT_TRUE(m_files.empty()) << m_files.size() << " file dialog answer(s) were never used";
    EXPECT_TRUE(m_texts.empty()) << m_texts.size() << " text prompt answer(s) were never used";
}

void ModalDriver::OnDialog(UINT templateId, DialogHandler handler) {
    m_dialogHandlers[templateId].push_back(std::move(handler));
}

void ModalDriver::OnMessageBox(BoxHandler handler) {
    if (!handler) {
        handler = [](const std::u16string&) { return IDOK; };
    }
    m_boxHandlers.push_back(std::move(handler));
}

void ModalDriver::RunModal(CDialog& dialog) {
    const UINT id = dialog.GetTemplateId();
    m_dialogsRun.push_back(id);
    std::deque<DialogHandler>& queue = m_dialogHandlers[id];
    if (queue.empty()) {
        ADD_FAILURE() << "dialog " << id << " opened, but the test expected no such dialog";
        dialog.EndDialog(IDCANCEL);
    } else {
        DialogHandler handler = std::move(queue.front());
        queue.pop_front();
        handler(dialog);
        if (dialog.IsOpen()) {
            ADD_FAILURE() << "dialog " << id << " was still open after its test handler returned";
            dialog.EndDialog(IDCANCEL);
        }
    }
}

int ModalDriver::RunMessageBox(QMessageBox& box, const std::u16string& text, UINT /*type*/) {
    m_boxTexts.push_back(text);
    // What a person reads: the text as the box shows it, rich text rendered as markup.
    const QLabel* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    m_boxesShown.push_back(label == nullptr ? QString()
                           : label->textFormat() == Qt::PlainText
                               ? label->text()
                               : QTextDocumentFragment::fromHtml(label->text()).toPlainText());
    if (m_boxHandlers.empty()) {
        ADD_FAILURE() << "unexpected message box: " << Utf8(text);
        return IDOK;
    }
    BoxHandler handler = std::move(m_boxHandlers.front());
    m_boxHandlers.pop_front();
    return handler(text);
}

void ModalDriver::OnFileDialog(std::string path) {
    m_files.push_back(std::move(path));
}

std::string ModalDriver::ChooseFile(bool /*save*/, const std::u16string& title) {
    if (m_files.empty()) {
        ADD_FAILURE() << "unexpected file dialog: " << Utf8(title);
        return {};
    }
    std::string path = std::move(m_files.front());
    m_files.pop_front();
    return path;
}

void ModalDriver::OnTextPrompt(std::optional<std::string> text) {
    m_texts.push_back(std::move(text));
}

std::optional<std::string> ModalDriver::AskText(const std::u16string& title,
                                                const std::string& /*given*/) {
    if (m_texts.empty()) {
        ADD_FAILURE() << "unexpected text prompt: " << Utf8(title);
        return std::nullopt;
    }
    std::optional<std::string> text = std::move(m_texts.front());
    m_texts.pop_front();
    return text;
}
