#pragma once

#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <QTreeView>

#include "log_app.h"
#include "log_dlg.h"
#include "modal_driver.h"

// A temporary storage card (TARVO_STORAGE) with its Tarvo folder, removed afterwards, and the
// means to run the whole program against it through the modal driver.
class AppTest : public ::testing::Test {
protected:
    AppTest();
    ~AppTest() override;

    std::string LogPath() const { return m_card + "/Tarvo/Tarvo.csv"; }
    std::string Card() const { return m_card; }
    void WriteLog(const std::string& bytes) const;
    std::string ReadLog() const;

    // Starts the program; `body` runs with the main dialog open and must leave it open (the
    // fixture closes it afterwards, as the caption's OK button would).
    void RunProgram(const std::function<void(CLogDlg&)>& body);

    ModalDriver m_driver;

private:
    std::string m_card;
    std::string m_oldStorage;
    bool m_hadStorage = false;
};

// The worked example's log file, as saved.
extern const char kWorkedExampleFile[];

// The real list widget of the main dialog, and what it shows.
QTreeView* ListView(CDialog& dlg);
QString Cell(CDialog& dlg, int row, int column);
void ClickRow(CDialog& dlg, int row);
void ClickHeader(CDialog& dlg, int column);
void ClickEmptyListSpace(CDialog& dlg);

// Every visible column of the list is at least as wide as its template width, its title and
// every one of its cell texts at the list's font; the hidden index column stays at width 0.
void ExpectColumnsFitTheirTexts(CDialog& dlg);
