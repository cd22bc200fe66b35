#include <QHeaderView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QToolButton>

#include "platform/browse/BrowseList.h"
#include "store/WindowStore.h"
#include "tests/platform/browse/BrowseFixture.h"

namespace vm::test {
namespace {

class BrowseListTest : public BrowseFixture {
 protected:
  // A shown list over BRANDS4 by description, eight rows high or so.
  void open(int heightPx = 160) {
    ASSERT_EQ(table.open(), Status::Ok);
    kits = list.setTable(table, View{brand::kBrewKey, {}});
    ASSERT_TRUE(list.setFormat("180L(2)@s45@", {brand::kNameOfBrew}));
    list.resize(320, heightPx);
    list.show();
    settle();
    list.first();
    settle();
  }
  std::vector<std::string> page() const {
    std::vector<std::string> out;
    for (int i = 0; i < list.rowCount(); ++i) out.push_back(list.cellText(i, 0).toStdString());
    return out;
  }
  std::string selected() const { return list.cellText(list.selectedRow(), 0).toStdString(); }

  BrandTable table;
  BrowseList list;
  TablePageSource<BrandRecord>* kits = nullptr;
};

TEST_F(BrowseListTest, NavigationMovesByRowPageAndToTheEnds) {
  std::vector<std::string> names;
  for (int i = 0; i < 50; ++i) names.push_back(numbered("Kit", i));
  addKits(names);
  open();
  const int n = list.pageSize();
  ASSERT_GE(n, 3);
  ASSERT_LT(n, 20);
  ASSERT_EQ(list.rowCount(), n);
  EXPECT_EQ(page().front(), "Kit 000");
  EXPECT_EQ(list.selectedRow(), 0);

  list.oneBack();  // already at the top
  EXPECT_EQ(page().front(), "Kit 000");
  list.pageForward();
  EXPECT_EQ(page().front(), numbered("Kit", n));
  EXPECT_EQ(selected(), numbered("Kit", n));
  list.pageBack();
  EXPECT_EQ(page().front(), "Kit 000");

  // Down at the last row of the page scrolls by one row.
  list.selectRow(n - 1);
  list.oneForward();
  EXPECT_EQ(page().front(), "Kit 001");
  EXPECT_EQ(selected(), numbered("Kit", n));

  list.last();
  EXPECT_EQ(page().back(), "Kit 049");
  EXPECT_EQ(selected(), "Kit 049");
  EXPECT_EQ(list.rowCount(), n);
  list.oneForward();
  list.pageForward();
  EXPECT_EQ(selected(), "Kit 049");
  list.pageBack();
  EXPECT_EQ(page().front(), numbered("Kit", 50 - 2 * n));

  // The navigation buttons do the same.
  list.navigationButton(0)->click();
  EXPECT_EQ(selected(), "Kit 000");
  list.navigationButton(5)->click();
  EXPECT_EQ(selected(), "Kit 049");
  list.navigationButton(3)->click();
  EXPECT_EQ(selected(), "Kit 049");
  list.navigationButton(2)->click();
  EXPECT_EQ(selected(), "Kit 048");
}

TEST_F(BrowseListTest, KeysMoveTheHighlightAndTypedCharactersSearch) {
  addKits({"apple ale", "Bitter", "brown ale", "Cider", "Dark mild", "Export", "Fruit", "Golden",
           "Honey", "IPA", "Lager", "Mild", "Nut brown", "Oat stout", "Porter"});
  open(100);
  list.table()->setFocus();
  QTest::keyClick(list.table(), Qt::Key_Down);
  EXPECT_EQ(selected(), "Bitter");
  QTest::keyClick(list.table(), Qt::Key_End);
  EXPECT_EQ(selected(), "Porter");
  QTest::keyClick(list.table(), Qt::Key_Home);
  EXPECT_EQ(selected(), "apple ale");

  // Case is not significant; the first entry beginning with the letter.
  QTest::keyClicks(list.table(), "b");
  EXPECT_EQ(selected(), "Bitter");
  QTest::keyClicks(list.table(), "N");
  EXPECT_EQ(selected(), "Nut brown");
  QTest::keyClicks(list.table(), "A");
  EXPECT_EQ(selected(), "apple ale");
  // No entry at or after the letter: the end of the list.
  QTest::keyClicks(list.table(), "z");
  EXPECT_EQ(selected(), "Porter");
  // A letter without entries of its own goes to the next one.
  QTest::keyClicks(list.table(), "j");
  EXPECT_EQ(selected(), "Lager");
  EXPECT_EQ(list.rowCount(), list.pageSize());
}

TEST_F(BrowseListTest, ListKeysAskForRequestsAndButtonsFollowTheList) {
  QPushButton insert, change, remove;
  open();
  list.bindButtons(&insert, &change, &remove);
  QSignalSpy ins(&list, &BrowseList::insertRequested);
  QSignalSpy chg(&list, &BrowseList::changeRequested);
  QSignalSpy del(&list, &BrowseList::deleteRequested);

  // Empty: Change and Delete are off, and their keys do nothing.
  EXPECT_TRUE(list.isEmpty());
  EXPECT_FALSE(change.isEnabled());
  EXPECT_FALSE(remove.isEnabled());
  QTest::keyClick(list.table(), Qt::Key_Delete);
  QTest::keyClick(list.table(), Qt::Key_Return, Qt::ControlModifier);
  QTest::keyClick(list.table(), Qt::Key_Insert);
  EXPECT_EQ(ins.count(), 1);
  EXPECT_EQ(chg.count(), 0);
  EXPECT_EQ(del.count(), 0);

  addKits({"Stout"});
  list.refresh();
  EXPECT_TRUE(change.isEnabled());
  EXPECT_TRUE(remove.isEnabled());
  QTest::keyClick(list.table(), Qt::Key_Delete);
  QTest::keyClick(list.table(), Qt::Key_Enter, Qt::ControlModifier);
  const QRect cell = list.table()->visualRect(list.table()->model()->index(0, 0));
  QTest::mouseClick(list.table()->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(list.table()->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(chg.count(), 2);
  EXPECT_EQ(del.count(), 1);
  EXPECT_EQ(list.table()->viewport()->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(BrowseListTest, WindowMayTakeOverTheListActions) {
  addKits({"Ale", "Bitter"});
  QPushButton insert, change, remove;
  open();
  list.bindButtons(&insert, &change, &remove);
  std::vector<ListAction> seen;
  list.setActionHandler([&](ListAction a) {
    seen.push_back(a);
    return a != ListAction::CtrlEnter;  // Ctrl+Enter keeps its own action
  });
  QSignalSpy ins(&list, &BrowseList::insertRequested);
  QSignalSpy chg(&list, &BrowseList::changeRequested);
  QSignalSpy del(&list, &BrowseList::deleteRequested);
  QTest::keyClick(list.table(), Qt::Key_Insert);
  QTest::keyClick(list.table(), Qt::Key_Delete);
  QTest::keyClick(list.table(), Qt::Key_Return, Qt::ShiftModifier);
  QTest::keyClick(list.table(), Qt::Key_Return, Qt::ControlModifier);
  const QRect cell = list.table()->visualRect(list.table()->model()->index(1, 0));
  QTest::mouseClick(list.table()->viewport(), Qt::LeftButton, {}, cell.center());
  QTest::mouseDClick(list.table()->viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(seen, (std::vector<ListAction>{ListAction::InsertKey, ListAction::DeleteKey,
                                           ListAction::ShiftEnter, ListAction::CtrlEnter,
                                           ListAction::DoubleClick}));
  EXPECT_EQ(ins.count(), 0);
  EXPECT_EQ(del.count(), 0);
  EXPECT_EQ(chg.count(), 1);
  EXPECT_EQ(selected(), "Bitter");  // the click still moves the highlight
}

TEST_F(BrowseListTest, ReReadingHighlightsTheWrittenRecordAndSurvivesDeletes) {
  std::vector<std::string> names;
  for (int i = 0; i < 80; i += 2) names.push_back(numbered("Kit", i));
  addKits(names);
  open();
  const int n = list.pageSize();
  list.selectRow(2);
  // A record written far down the list is shown and highlighted where the
  // highlight was.
  auto added = addKits({"Kit 031"});
  list.showRecord(FieldValue{added[0]});
  EXPECT_EQ(selected(), "Kit 031");
  EXPECT_EQ(list.selectedRow(), 2);
  EXPECT_EQ(list.rowCount(), n);
  // Highlight on the top row: the record comes to the top.
  list.selectRow(0);
  auto top = addKits({"Kit 041"});
  list.showRecord(FieldValue{top[0]});
  EXPECT_EQ(selected(), "Kit 041");
  EXPECT_EQ(list.selectedRow(), 0);
  EXPECT_EQ(list.rowCount(), n);
  // Near the end the page is still full.
  auto end = addKits({"Kit 099"});
  list.showRecord(FieldValue{end[0]});
  EXPECT_EQ(selected(), "Kit 099");
  EXPECT_EQ(list.selectedRow(), n - 1);

  // Deleting the highlighted record: the next one takes its place.
  list.first();
  list.selectRow(1);
  table.remove(kits->row(1));
  list.refresh();
  EXPECT_EQ(selected(), "Kit 004");
  // A record left out of the key (blank description) is not shown; the
  // list is simply read again.
  auto blank = addKits({""});
  list.showRecord(FieldValue{blank[0]});
  EXPECT_EQ(selected(), "Kit 004");
}

TEST_F(BrowseListTest, FailedReadShowsTheStoreMessageAndKeepsThePage) {
  addKits({"Ale", "Bitter"});
  open();
  // An unknown key cannot be read.
  kits->setView(View{7, {}});
  EXPECT_NE(list.first(), Status::Ok);
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "File Access Error");
}

TEST_F(BrowseListTest, ColumnsFormatByPictureAndTheLayoutIsKept) {
  ShoppingTable shop;
  ASSERT_EQ(shop.open(), Status::Ok);
  ShoppingRecord r;
  r.item = "Malt extract";
  r.size = "1.5 kg";
  r.qty = Decimal::fromUnits(250, 2);
  r.price = Decimal::fromUnits(799, 2);
  r.amount = Decimal::fromUnits(1998, 2);
  ASSERT_EQ(shop.insert(r), Status::Ok);

  const std::string design =
      "19C(2)|M~Item~C(0)@s6@89L(2)|M~Description~L(1)@S45@49L(2)|M~Size~L(1)@S25@40D(12)|M~Qty~L("
      "1)@N10.2@40D(12)|M~Price~L(1)@N10.2@40D(12)|M~Amount~L(1)@N10.2@";
  BrowseList shopping;
  shopping.setTable(shop, View{shopping::kKeyRecordNumber, {}});
  ASSERT_TRUE(shopping.setFormat(design, {1, 2, 3, 4, 5, 6}));
  shopping.setCellStyle([](int, int column) {
    return column == 1 ? CellStyle{QColor(128, 128, 128), std::nullopt} : CellStyle{};
  });
  shopping.resize(500, 120);
  shopping.show();
  settle();
  shopping.first();
  ASSERT_EQ(shopping.rowCount(), 1);
  EXPECT_EQ(shopping.cellText(0, 0), "1");
  EXPECT_EQ(shopping.cellText(0, 1), "Malt extract");
  EXPECT_EQ(shopping.cellText(0, 3), "2.50");
  EXPECT_EQ(shopping.cellText(0, 5), "19.98");
  auto* model = shopping.table()->model();
  EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), "Qty");
  EXPECT_EQ(model->data(model->index(0, 1), Qt::ForegroundRole).value<QColor>(),
            QColor(128, 128, 128));
  EXPECT_FALSE(shopping.table()->horizontalHeader()->isHidden());

  // Untouched, the layout is the design; a dragged column is written with
  // its new width and comes back on the next list.
  EXPECT_EQ(shopping.currentFormat(), design);
  shopping.table()->horizontalHeader()->resizeSection(1, 300);
  const std::string dragged = shopping.currentFormat();
  EXPECT_NE(dragged, design);
  EXPECT_EQ(dragged.substr(0, 22), design.substr(0, 22));  // the first column as designed
  shopping.restoreLayout("BrowseShoppingList");            // first run: design kept
  shopping.table()->horizontalHeader()->resizeSection(1, 300);
  shopping.saveLayout("BrowseShoppingList");

  BrowseList again;
  again.setTable(shop, View{shopping::kKeyRecordNumber, {}});
  ASSERT_TRUE(again.setFormat(design, {1, 2, 3, 4, 5, 6}));
  again.restoreLayout("BrowseShoppingList");
  EXPECT_EQ(again.currentFormat(), dragged);
  // A changed design discards what was kept.
  BrowseList redesigned;
  redesigned.setTable(shop, View{shopping::kKeyRecordNumber, {}});
  const std::string newDesign = "30C(2)|M~Item~C(0)@s6@" + design.substr(design.find("89L"));
  ASSERT_TRUE(redesigned.setFormat(newDesign, {1, 2, 3, 4, 5, 6}));
  redesigned.restoreLayout("BrowseShoppingList");
  EXPECT_EQ(redesigned.currentFormat(), newDesign);
  EXPECT_EQ(fetchListFormat("BrowseShoppingList", newDesign), newDesign);
}

}  // namespace
}  // namespace vm::test
