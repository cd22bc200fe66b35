#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableView>

#include "lists/BrowseKitsRecipes.h"
#include "lists/UpdateKitsRecipes.h"
#include "store/Globals.h"
#include "tests/platform/browse/BrowseFixture.h"

namespace vm::test {
namespace {

class KitsRecipesTest : public BrowseFixture {
 protected:
  void SetUp() override {
    area.resize(900, 700);
    area.show();
    setMdiArea(&area);
  }
  void TearDown() override {
    closeAllWindows();
    settle();
    setMdiArea(nullptr);
    BrowseFixture::TearDown();
  }
  BrowseKitsRecipes* open() {
    BrowseKitsRecipes* b = BrowseKitsRecipes::start();
    settle();
    return b;
  }
  UpdateKitsRecipes* form() {
    return qobject_cast<UpdateKitsRecipes*>(findWindow(UpdateKitsRecipes::kProcedure));
  }
  std::vector<std::string> shown(BrowseKitsRecipes* b) {
    std::vector<std::string> out;
    for (int i = 0; i < b->list()->rowCount(); ++i)
      out.push_back(b->list()->cellText(i, 0).toStdString());
    return out;
  }
  std::string highlighted(BrowseKitsRecipes* b) {
    return b->list()->cellText(b->list()->selectedRow(), 0).toStdString();
  }
  // Types a description into the open form and presses OK.
  void enter(const QString& text) {
    ASSERT_TRUE(form());
    form()->description()->setText(text);
    form()->okButton()->click();
    settle();
  }

  QMdiArea area;
};

TEST_F(KitsRecipesTest, EmptyTableAllowsOnlyInsertAndTwoInsertsNumberInTurn) {
  BrowseKitsRecipes* b = open();
  ASSERT_TRUE(b);
  EXPECT_EQ(b->windowTitle(), "Browse Kits/Recipes");
  EXPECT_TRUE(b->list()->isEmpty());
  EXPECT_FALSE(b->changeButton()->isEnabled());
  EXPECT_FALSE(b->deleteButton()->isEnabled());
  EXPECT_TRUE(b->insertButton()->isEnabled());

  b->insertButton()->click();
  settle();
  ASSERT_TRUE(form());
  EXPECT_EQ(form()->windowTitle(), "Add Kit/Recipe");
  EXPECT_FALSE(b->host()->isEnabled());  // the browse waits for its form
  EXPECT_EQ(form()->description()->text(), "");
  script.answer(1);  // Record Added: add another
  enter("Muntons Bitter 3kg");
  ASSERT_TRUE(form());
  EXPECT_EQ(form()->description()->text(), "");
  script.answer(2);  // and then no more
  enter("Coopers Lager 1.7kg");
  EXPECT_FALSE(form());
  ASSERT_EQ(script.shown().size(), 2u);
  EXPECT_EQ(script.shown()[0].title, "Record Added");
  EXPECT_EQ(script.shown()[0].text,
            "This record has been added to the file. Do you want to add another record?");

  BrandTable t;
  t.open();
  BrandRecord r;
  ASSERT_EQ(t.fetch(brand::kBrewKey, FieldValue{std::string("muntons bitter 3kg")}, r), Status::Ok);
  EXPECT_EQ(r.recordNumber, 1);
  ASSERT_EQ(t.fetch(brand::kBrewKey, FieldValue{std::string("Coopers Lager 1.7kg")}, r),
            Status::Ok);
  EXPECT_EQ(r.recordNumber, 2);

  // The list is read again in description order, the last entry written
  // highlighted; Change and Delete are available now.
  EXPECT_TRUE(b->host()->isEnabled());
  EXPECT_EQ(shown(b), (std::vector<std::string>{"Coopers Lager 1.7kg", "Muntons Bitter 3kg"}));
  EXPECT_EQ(highlighted(b), "Coopers Lager 1.7kg");
  EXPECT_TRUE(b->changeButton()->isEnabled());
  EXPECT_TRUE(b->deleteButton()->isEnabled());
}

TEST_F(KitsRecipesTest, DescriptionDifferingOnlyInCaseIsRefusedAndTheFormStays) {
  addKits({"Coopers Lager"});
  BrowseKitsRecipes* b = open();
  b->insertButton()->click();
  settle();
  enter("COOPERS LAGER");
  ASSERT_TRUE(form());
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Duplicate Key Error");
  EXPECT_EQ(script.shown()[0].text,
            "Adding this record creates a duplicate entry for the key: BRW:BrewKey");
  EXPECT_EQ(form()->description()->text(), "COOPERS LAGER");

  // Abandoning it ("Save Record", No) leaves the table as it was, and the
  // next new entry gets the number the abandoned one had.
  script.answer(2);
  form()->cancelButton()->click();
  settle();
  EXPECT_FALSE(form());
  EXPECT_EQ(storedKits(), (std::vector<std::string>{"Coopers Lager"}));
  b->insertButton()->click();
  settle();
  script.answer(2);
  enter("Coopers Stout");
  BrandTable t;
  t.open();
  BrandRecord r;
  ASSERT_EQ(t.fetch(brand::kBrewKey, FieldValue{std::string("Coopers Stout")}, r), Status::Ok);
  EXPECT_EQ(r.recordNumber, 2);
}

TEST_F(KitsRecipesTest, ChangeWritesTheHighlightedEntryAndHighlightsIt) {
  addKits({"Ale", "Bitter", "Cider"});
  BrowseKitsRecipes* b = open();
  EXPECT_EQ(highlighted(b), "Ale");  // the first entry on opening
  b->list()->oneForward();
  b->changeButton()->click();
  settle();
  ASSERT_TRUE(form());
  EXPECT_EQ(form()->windowTitle(), "Update Kit/Recipe");
  EXPECT_EQ(form()->description()->text(), "Bitter");
  enter("Zesty bitter");
  EXPECT_FALSE(form());
  EXPECT_TRUE(script.shown().empty());  // no "Record Added" on a change
  EXPECT_EQ(shown(b), (std::vector<std::string>{"Ale", "Cider", "Zesty bitter"}));
  EXPECT_EQ(highlighted(b), "Zesty bitter");

  // Ctrl+Enter is Change too; unchanged, Cancel closes without a question.
  b->list()->table()->setFocus();
  QTest::keyClick(b->list()->table(), Qt::Key_Return, Qt::ControlModifier);
  settle();
  ASSERT_TRUE(form());
  form()->cancelButton()->click();
  settle();
  EXPECT_FALSE(form());
  EXPECT_TRUE(script.shown().empty());
}

TEST_F(KitsRecipesTest, DeletingAKitThatBrewsNameLeavesTheBrews) {
  addKits({"Coopers Lager", "Muntons Bitter"});
  {
    BrewTable brews;
    brews.open();
    BrewRecord brew;
    brew.brewKit = "Coopers Lager";
    brew.stockOnHand = "1";
    ASSERT_EQ(brews.insert(brew), Status::Ok);
  }
  BrowseKitsRecipes* b = open();
  ASSERT_EQ(highlighted(b), "Coopers Lager");
  script.answer(2);  // Confirm Delete: No
  b->deleteButton()->click();
  settle();
  EXPECT_EQ(storedKits().size(), 2u);
  script.answer(1);  // Yes, by the Delete key this time
  b->list()->table()->setFocus();
  QTest::keyClick(b->list()->table(), Qt::Key_Delete);
  settle();
  ASSERT_EQ(script.shown().size(), 2u);
  EXPECT_EQ(script.shown()[1].title, "Confirm Delete");
  EXPECT_EQ(storedKits(), (std::vector<std::string>{"Muntons Bitter"}));
  EXPECT_EQ(shown(b), (std::vector<std::string>{"Muntons Bitter"}));
  EXPECT_FALSE(form());  // the form is never shown for a delete

  BrewTable brews;
  brews.open();
  BrewRecord brew;
  ASSERT_EQ(brews.first(View{brew::kKeyRecord, {}}, brew), Status::Ok);
  EXPECT_EQ(brew.brewKit, "Coopers Lager");
}

TEST_F(KitsRecipesTest, HistoryKeyPutsBackTheDescriptionLastSaved) {
  BrowseKitsRecipes* b = open();
  b->insertButton()->click();
  settle();
  script.answer(2);
  enter("Geordie Scottish Export");
  b->insertButton()->click();
  settle();
  ASSERT_TRUE(form());
  QLineEdit* d = form()->description();
  form()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form()));
  d->setFocus();
  QTest::keyClick(d, Qt::Key_Apostrophe, Qt::ControlModifier);
  EXPECT_EQ(d->text(), "Geordie Scottish Export");
  script.answer(2);
  form()->cancelButton()->click();
  settle();
}

TEST_F(KitsRecipesTest, OneInstanceRestoredAndPositionKeptAcrossReopening) {
  BrowseKitsRecipes* b = open();
  ASSERT_TRUE(b);
  globals().browseOpen = 1;
  QMdiSubWindow* sub = b->subWindow();
  ASSERT_TRUE(sub);
  sub->showMinimized();
  settle();
  ASSERT_TRUE(sub->isMinimized());
  EXPECT_EQ(BrowseKitsRecipes::start(), nullptr);  // no second copy
  settle();
  EXPECT_FALSE(sub->isMinimized());
  EXPECT_EQ(area.activeSubWindow(), sub);
  EXPECT_EQ(area.subWindowList().size(), 1);

  sub->move(120, 90);
  sub->resize(sub->size() + QSize(60, 40));
  const QRect where = sub->geometry();
  b->closeButton()->click();
  settle();
  EXPECT_EQ(globals().browseOpen, 0);
  EXPECT_FALSE(findWindow(BrowseKitsRecipes::kProcedure));

  BrowseKitsRecipes* again = open();
  ASSERT_TRUE(again);
  const QRect now = again->subWindow()->geometry();
  // Dialog units round to a few pixels.
  EXPECT_NEAR(now.x(), where.x(), 4);
  EXPECT_NEAR(now.y(), where.y(), 4);
  EXPECT_NEAR(now.width(), where.width(), 4);
  EXPECT_NEAR(now.height(), where.height(), 4);
}

}  // namespace
}  // namespace vm::test
