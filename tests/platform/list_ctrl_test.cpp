#include <gtest/gtest.h>
#include <QHeaderView>
#include <QTest>
#include <QTreeView>

#include "cdialog.h"
#include "clistctrl.h"
#include "data_exchange.h"
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
