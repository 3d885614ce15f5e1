#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTest>
#include <QTreeView>
#include <algorithm>
#include <random>

#include "cdialog.h"
#include "clistctrl.h"
#include "data_exchange.h"
#include "list_model.h"
#include "list_view_control.h"
#include "modal_driver.h"
#include "test_templates.h"
#include "ui.h"

namespace {

class ListDlg : public CDialog {
public:
    ListDlg() : CDialog(kListDialog) {}
    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, kList, m_list); }
};

// Runs `body` with an open dialog whose list has three columns and the given rows.
template <typename Body>
void WithList(const std::vector<std::vector<std::u16string>>& rows, Body body) {
    ModalDriver driver;
    ListDlg dlg;
    driver.OnDialog(kListDialog, [&](CDialog& d) {
        dlg.m_list.InsertColumn(0, u"A", LVCFMT_LEFT, 40);
        dlg.m_list.InsertColumn(1, u"B", LVCFMT_LEFT, 30);
        dlg.m_list.InsertColumn(2, u"Index", LVCFMT_LEFT, 0);
        for (size_t r = 0; r < rows.size(); ++r) {
            const int row = dlg.m_list.InsertItem(static_cast<int>(r), rows[r][0]);
            for (size_t c = 1; c < rows[r].size(); ++c) {
                dlg.m_list.SetItemText(row, static_cast<int>(c), rows[r][c]);
            }
        }
        body(dlg, static_cast<QTreeView*>(ui::Control(d, kList)));
        d.EndDialog(IDCANCEL);
    });
    dlg.DoModal();
}

std::vector<std::u16string> Column(CListCtrl& list, int column) {
    std::vector<std::u16string> texts;
    for (int r = 0; r < list.GetItemCount(); ++r) {
        texts.emplace_back(list.GetItemText(r, column));
    }
    return texts;
}

int ByTextOfColumnOne(LPARAM a, LPARAM b, LPARAM list) {
    auto* ctrl = reinterpret_cast<CListCtrl*>(list);
    return ctrl->GetItemText(static_cast<int>(a), 1)
        .compare(ctrl->GetItemText(static_cast<int>(b), 1));
}

}  // namespace

TEST(ListCtrl, CellsReadBackAsSetAndMissingCellsAreEmpty) {
    WithList({{u"x", u"10", u"0"}, {u"yy", u"", u"1"}}, [](ListDlg& dlg, QTreeView*) {
        EXPECT_EQ(dlg.m_list.GetItemCount(), 2);
        EXPECT_EQ(dlg.m_list.GetItemText(0, 1), u"10");
        EXPECT_EQ(dlg.m_list.GetItemText(1, 0), u"yy");
        EXPECT_EQ(dlg.m_list.GetItemText(1, 1), u"");
        EXPECT_EQ(dlg.m_list.GetItemText(5, 0), u"");
        EXPECT_EQ(dlg.m_list.GetItemText(0, 9), u"");
        dlg.m_list.SetItemText(0, 1, u"a much longer text");
        dlg.m_list.SetItemText(0, 0, u"");
        EXPECT_EQ(dlg.m_list.GetItemText(0, 1), u"a much longer text");
        EXPECT_EQ(dlg.m_list.GetItemText(0, 2), u"0");
        EXPECT_EQ(dlg.m_list.GetItemText(0, 0), u"");
        EXPECT_FALSE(dlg.m_list.SetItemText(7, 0, u"nope"));
    });
}

TEST(ListCtrl, ColumnsKeepTheirWidthsAndTitlesThroughARefill) {
    WithList({{u"x", u"1", u"0"}}, [](ListDlg& dlg, QTreeView* view) {
        dlg.m_list.SetRedraw(FALSE);
        dlg.m_list.DeleteAllItems();
        for (int r = 0; r < 100; ++r) {
            dlg.m_list.InsertItem(r, u"row");
        }
        dlg.m_list.SetRedraw(TRUE);
        EXPECT_EQ(dlg.m_list.GetItemCount(), 100);
        EXPECT_EQ(view->model()->rowCount(), 100);
        EXPECT_EQ(dlg.m_list.GetColumnWidth(0), 40);
        EXPECT_EQ(dlg.m_list.GetColumnWidth(2), 0);
        EXPECT_EQ(view->model()->headerData(1, Qt::Horizontal).toString(), "B");
    });
}

TEST(ListCtrl, SortMovesRowsWithTheirSelectionAndPassesItemData) {
    WithList({{u"r0", u"c", u"0"}, {u"r1", u"a", u"1"}, {u"r2", u"b", u"2"}}, [](ListDlg& dlg,
                                                                                 QTreeView* view) {
        for (int r = 0; r < 3; ++r) {
            dlg.m_list.SetItemData(r, static_cast<DWORD_PTR>(r));
        }
        view->selectionModel()->select(view->model()->index(0, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
        EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 0);
        dlg.m_list.SortItems(&ByTextOfColumnOne, reinterpret_cast<DWORD_PTR>(&dlg.m_list));
        EXPECT_EQ(Column(dlg.m_list, 0), (std::vector<std::u16string>{u"r1", u"r2", u"r0"}));
        // The selected row "r0" moved to the bottom, and its selection with it.
        EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 2);
    });
}

TEST(ListCtrl, FirstSelectedRowIsTheOneNearestTheTop) {
    WithList({{u"a"}, {u"b"}, {u"c"}, {u"d"}}, [](ListDlg& dlg, QTreeView* view) {
        EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), -1);
        auto* selection = view->selectionModel();
        selection->select(view->model()->index(3, 0), QItemSelectionModel::Select);
        selection->select(view->model()->index(1, 0), QItemSelectionModel::Select);
        EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), 1);
        EXPECT_EQ(dlg.m_list.GetNextItem(1, LVNI_SELECTED), 3);
        dlg.m_list.DeleteAllItems();
        EXPECT_EQ(dlg.m_list.GetNextItem(-1, LVNI_SELECTED), -1);
    });
}

TEST(ListCtrl, WrapperIsDetachedWhenTheDialogCloses) {
    ListDlg dlg;
    {
        ModalDriver driver;
        driver.OnDialog(kListDialog, [](CDialog& d) { d.EndDialog(IDOK); });
        dlg.DoModal();
    }
    EXPECT_EQ(dlg.m_list.GetSafeWidget(), nullptr);
    EXPECT_EQ(dlg.m_list.GetItemCount(), 0);
    EXPECT_EQ(dlg.m_list.InsertItem(0, u"x"), -1);
}

// A dialog run again builds its controls again; the wrapper works on the new list, whatever
// address it has.
TEST(ListCtrl, AWrapperFollowsItsDialogIntoASecondRun) {
    ListDlg dlg;
    for (const std::u16string text : {u"first run", u"second run"}) {
        ModalDriver driver;
        driver.OnDialog(kListDialog, [&](CDialog& d) {
            dlg.m_list.InsertColumn(0, u"A", LVCFMT_LEFT, 40);
            EXPECT_EQ(dlg.m_list.InsertItem(0, text), 0);
            const auto* view = static_cast<QTreeView*>(ui::Control(d, kList));
            EXPECT_EQ(view->model()->rowCount(), 1);
            EXPECT_EQ(view->model()->index(0, 0).data().toString(),
                      QString::fromStdU16String(text));
            d.EndDialog(IDOK);
        });
        dlg.DoModal();
    }
}

namespace {

// The list's rows as plain strings, changed the same way as the list.
using Rows = std::vector<std::vector<std::u16string>>;

void ExpectRows(CListCtrl& list, const Rows& rows, int step) {
    ASSERT_EQ(list.GetItemCount(), static_cast<int>(rows.size())) << "step " << step;
    for (size_t r = 0; r < rows.size(); ++r) {
        for (size_t c = 0; c < rows[r].size(); ++c) {
            ASSERT_EQ(list.GetItemText(static_cast<int>(r), static_cast<int>(c)), rows[r][c])
                << "step " << step << " row " << r << " column " << c;
        }
    }
}

}  // namespace

// Rows inserted anywhere, cells set in any order to texts of any length (a cell's own or another
// cell's text among them), columns added to a filled list, the list emptied and filled again:
// every cell reads back as a plain table of strings says, through enough rows that they fill
// many storage chunks and the records moved out of the way are compacted again and again.
TEST(ListCtrl, CellsReadBackThroughEveryKindOfChange) {
    WithList({}, [](ListDlg& dlg, QTreeView*) {
        CListCtrl& list = dlg.m_list;
        Rows rows;
        std::mt19937 random(20070901);
        const auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
        const auto someText = [&] {
            const size_t lengths[] = {0, 1, 4, 19, 300};
            return std::u16string(lengths[pick(5)], static_cast<char16_t>(u'a' + pick(26)));
        };
        for (int step = 0; step < 40'000; ++step) {
            const size_t columns = rows.empty() ? 3 : rows[0].size();
            const size_t action = pick(10'000);
            if (action < 3'000 || rows.empty()) {
                const size_t at = pick(rows.size() + 1);
                const std::u16string first = someText();
                ASSERT_EQ(list.InsertItem(static_cast<int>(at), first), static_cast<int>(at));
                rows.insert(rows.begin() + static_cast<std::ptrdiff_t>(at),
                            std::vector<std::u16string>(columns));
                rows[at][0] = first;
            } else if (action < 9'990) {
                const size_t r = pick(rows.size());
                const size_t c = pick(columns);
                std::u16string text = someText();
                if (action < 4'500) {  // another cell's text, read from the list itself
                    const size_t from = pick(rows.size());
                    const size_t fromColumn = pick(columns);
                    text = rows[from][fromColumn];
                    ASSERT_TRUE(list.SetItemText(
                        static_cast<int>(r), static_cast<int>(c),
                        list.GetItemText(static_cast<int>(from), static_cast<int>(fromColumn))));
                } else {
                    ASSERT_TRUE(list.SetItemText(static_cast<int>(r), static_cast<int>(c), text));
                }
                rows[r][c] = text;
            } else if (action < 9'998 && columns < 6) {
                const size_t at = pick(columns + 1);
                list.InsertColumn(static_cast<int>(at), u"New", LVCFMT_LEFT, 10);
                for (auto& row : rows) {
                    row.insert(row.begin() + static_cast<std::ptrdiff_t>(at), std::u16string());
                }
            } else {
                list.DeleteAllItems();
                rows.clear();
            }
            if (step % 997 == 0) {
                ExpectRows(list, rows, step);
            }
        }
        ExpectRows(list, rows, -1);
    });
}

TEST(ListCtrl, ARowsTextsHaveRoomForUpTo65535Units) {
    WithList({{u"x", u"y", u"z"}}, [](ListDlg& dlg, QTreeView*) {
        const std::u16string most(65535 - 2, u'm');
        EXPECT_TRUE(dlg.m_list.SetItemText(0, 1, most)) << "with x and z, 65535 in all";
        EXPECT_FALSE(dlg.m_list.SetItemText(0, 0, u"xx")) << "one more is refused";
        EXPECT_EQ(dlg.m_list.GetItemText(0, 0), u"x");
        EXPECT_EQ(dlg.m_list.GetItemText(0, 1), most);
        EXPECT_EQ(dlg.m_list.InsertItem(1, std::u16string(65536, u'n')), -1);
        EXPECT_EQ(dlg.m_list.GetItemCount(), 1);
    });
}

// The texts a column keeps to be fitted to: the longest, of equal length the one with fewer
// blanks, each once, at most four.
TEST(ListCtrl, AColumnKeepsItsFewLongestTextsForFitting) {
    // Texts of lengths from `first` to `last`, shortest first.
    const auto lengths = [](size_t first, size_t last) {
        std::vector<std::u16string> texts;
        for (size_t n = first; n <= last; ++n) {
            texts.emplace_back(n, u'x');
        }
        return texts;
    };
    const std::vector<std::u16string> sixteenLongest = [&] {
        std::vector<std::u16string> kept = lengths(2, 17);
        std::reverse(kept.begin(), kept.end());
        return kept;
    }();
    struct Row {
        const char* name;
        std::vector<std::u16string> texts;
        std::vector<std::u16string> kept;
    } rows[] = {
        {"longest first", {u"1", u"333", u"22"}, {u"333", u"22", u"1"}},
        {"fewer blanks first among equals",
         {u"  5", u"1 2", u" 10", u"100"},
         {u"100", u"1 2", u" 10", u"  5"}},
        {"at most sixteen", lengths(1, 17), sixteenLongest},
        {"a text kept once", {u"F", u"N", u"F", u"M", u"F"}, {u"F", u"N", u"M"}},
        {"texts that differ only in their digits kept once, the fullest first",
         {u" 9/ 1/2007", u" 8/26/2007", u" 8/15/2007", u" 8/ 4/2007", u"12/24/2007"},
         {u"12/24/2007", u" 8/26/2007", u" 9/ 1/2007"}},
        {"month names make texts of their own width",
         {u"7 Jan 2025", u"9 Jan 2025", u"7 Dec 2025", u"17 Jan 2025"},
         {u"17 Jan 2025", u"7 Jan 2025", u"7 Dec 2025"}},
    };
    for (const Row& row : rows) {
        Rows filled;
        for (const std::u16string& text : row.texts) {
            filled.push_back({u"", text});
        }
        WithList(filled, [&](ListDlg&, QTreeView* view) {
            ListModel* model = static_cast<ListViewControl*>(view)->Model();
            EXPECT_EQ(model->LongestTexts(1), row.kept) << row.name;
        });
    }
}
