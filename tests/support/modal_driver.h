#pragma once

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <QString>

#include "modal_hook.h"

// Drives modal runs in tests, synchronously: each modal run of a dialog takes the next handler
// queued for its template, which acts on the open dialog (clicks, keys) and must end it. A run
// with no handler queued, a handler that leaves its dialog open, and handlers never used all
// fail the test; nothing ever waits.
class ModalDriver : public ModalHook {
public:
    using DialogHandler = std::function<void(CDialog&)>;
    using BoxHandler = std::function<int(const std::u16string& text)>;

    ModalDriver();
    ~ModalDriver() override;
    ModalDriver(const ModalDriver&) = delete;
    ModalDriver& operator=(const ModalDriver&) = delete;

    // Queues the handler for the next modal run of template `templateId`.
    void OnDialog(UINT templateId, DialogHandler handler);
    // Queues the answer to the next message box; by default it is acknowledged with OK.
    void OnMessageBox(BoxHandler handler = nullptr);
    // Queues the path the next file dialog gives (empty: the user cancels it).
    void OnFileDialog(std::string path);
    // Queues the line the next text prompt gives (nothing: the user cancels it).
    void OnTextPrompt(std::optional<std::string> text);

    // Every message box text shown so far, in order, as the program gave it.
    const std::vector<std::u16string>& MessageBoxTexts() const { return m_boxTexts; }
    // The same boxes as they were shown: the text on screen, and whether it was plain text.
    const std::vector<QString>& MessageBoxesShown() const { return m_boxesShown; }
    // Template ids of every modal run so far, in order.
    const std::vector<UINT>& DialogsRun() const { return m_dialogsRun; }

    void RunModal(CDialog& dialog) override;
    int RunMessageBox(QMessageBox& box, const std::u16string& text, UINT type) override;
    std::string ChooseFile(bool save, const std::u16string& title) override;
    std::optional<std::string> AskText(const std::u16string& title,
                                       const std::string& given) override;

private:
    ModalHook* m_previous;
    std::map<UINT, std::deque<DialogHandler>> m_dialogHandlers;
    std::deque<BoxHandler> m_boxHandlers;
    std::deque<std::string> m_files;
    std::deque<std::optional<std::string>> m_texts;
    std::vector<std::u16string> m_boxTexts;
    std::vector<QString> m_boxesShown;
    std::vector<UINT> m_dialogsRun;
};
