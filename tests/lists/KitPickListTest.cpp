#include <QAbstractItemView>
#include <QLineEdit>

#include "lists/BrowseKitsRecipes.h"
#include "lists/KitPickList.h"
#include "platform/Window.h"
#include "tests/platform/browse/BrowseFixture.h"

namespace vm::test {
namespace {

// A small window with the pick list and a field after it to move to.
class PickWindow : public Window {
 public:
  explicit PickWindow(const QString& kit) : Window("TestPickWindow") {
    pick = new KitPickList(this);
    pick->setValue(kit);
    next = new QLineEdit(this);
    place(pick, 4, 4, 180, 12);
    place(next, 4, 20, 60, 12);
    resize(units().toPixels(QSize(200, 40)));
  }
  KitPickList* pick;
  QLineEdit* next;
};

class KitPickListTest : public BrowseFixture {
 protected:
  PickWindow& open(const QString& kit = {}) {
    window = std::make_unique<PickWindow>(kit);
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->pick->setFocus();
    settle();
    return *window;
  }
  QLineEdit* edit() { return window->pick->lineEdit(); }
  void leave() {
    window->next->setFocus();
    settle();
  }
  std::unique_ptr<PickWindow> window;
};

TEST_F(KitPickListTest, OpeningSelectsTheKitOfTheBrewOrNothing) {
  addKits({"Muntons Bitter", "Coopers Lager", "Brupaks Stout"});
  PickWindow& w = open("coopers lager");
  EXPECT_EQ(w.pick->entries(), (QStringList{"Brupaks Stout", "Coopers Lager", "Muntons Bitter"}));
  EXPECT_EQ(w.pick->currentIndex(), 1);
  EXPECT_EQ(w.pick->value(), "coopers lager");  // the brew's own text is kept

  PickWindow& empty = open();
  EXPECT_EQ(empty.pick->currentIndex(), -1);
  EXPECT_EQ(empty.pick->value(), "");  // not the first entry

  // A kit deleted from the list survives as long as it is not retyped.
  PickWindow& gone = open("Old Kit");
  EXPECT_EQ(gone.pick->currentIndex(), -1);
  leave();
  EXPECT_EQ(gone.pick->value(), "Old Kit");
  EXPECT_TRUE(script.shown().empty());
}

TEST_F(KitPickListTest, TypingCompletesAndAcceptingTakesTheStoredSpelling) {
  addKits({"Coopers Lager", "Coopers Stout", "Muntons Bitter"});
  PickWindow& w = open();
  QTest::keyClicks(w.pick, "coopers s");
  EXPECT_EQ(edit()->text(), "coopers stout");
  EXPECT_EQ(edit()->selectedText(), "tout");
  // Backspace takes the completion and the last letter typed.
  QTest::keyClick(w.pick, Qt::Key_Backspace);
  EXPECT_EQ(edit()->text(), "coopers ");
  EXPECT_FALSE(edit()->hasSelectedText());
  QTest::keyClicks(w.pick, "l");
  EXPECT_EQ(edit()->text(), "coopers lager");
  leave();
  EXPECT_TRUE(script.shown().empty());
  EXPECT_EQ(w.pick->value(), "Coopers Lager");
  EXPECT_EQ(w.pick->currentIndex(), 0);

  // Choosing a row from the list copies it.
  w.pick->setFocus();
  w.pick->showPopup();
  settle();
  QAbstractItemView* popup = w.pick->view();
  ASSERT_TRUE(popup->isVisible());
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Down);
  QTest::keyClick(popup, Qt::Key_Return);
  settle();
  EXPECT_EQ(w.pick->value(), "Muntons Bitter");
  leave();
  EXPECT_TRUE(script.shown().empty());

  // Emptied, it stays empty with no row.
  w.pick->setFocus();
  edit()->selectAll();
  QTest::keyClick(w.pick, Qt::Key_Delete);
  leave();
  EXPECT_EQ(w.pick->value(), "");
  EXPECT_EQ(w.pick->currentIndex(), -1);
  EXPECT_TRUE(script.shown().empty());
}

TEST_F(KitPickListTest, UnknownTextAsksToAddIt) {
  // An empty table: nothing to choose, every text asks.
  PickWindow& w = open();
  EXPECT_TRUE(w.pick->entries().isEmpty());
  QTest::keyClicks(w.pick, "Youngs Harvest");
  script.answer(2);  // No: cleared, and the field keeps the focus
  leave();
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(script.shown()[0].title, "Add New Record?");
  EXPECT_EQ(script.shown()[0].text, "Record match not found, do you wish to add a new one?");
  EXPECT_EQ(script.shown()[0].defaultButton, 1);
  EXPECT_EQ(w.pick->value(), "");
  EXPECT_EQ(w.pick->currentIndex(), -1);
  EXPECT_TRUE(edit()->hasFocus());
  EXPECT_TRUE(storedKits().empty());

  QTest::keyClicks(w.pick, "Youngs Harvest");
  script.answer(1);  // Yes: added and selected, the text kept
  leave();
  EXPECT_EQ(storedKits(), (std::vector<std::string>{"Youngs Harvest"}));
  EXPECT_EQ(w.pick->entries(), (QStringList{"Youngs Harvest"}));
  EXPECT_EQ(w.pick->currentIndex(), 0);
  EXPECT_EQ(w.pick->value(), "Youngs Harvest");

  // The browse lists the new kit in its sorted place.
  addKits({"Ale", "Zinfandel"});
  std::unique_ptr<BrowseKitsRecipes> b(new BrowseKitsRecipes);
  b->show();
  settle();
  ASSERT_EQ(b->list()->rowCount(), 3);
  EXPECT_EQ(b->list()->cellText(1, 0), "Youngs Harvest");
}

}  // namespace
}  // namespace vm::test
