#include <QTabWidget>

#include "platform/browse/BrowseWindow.h"
#include "store/Globals.h"
#include "tests/platform/browse/BrowseFixture.h"

namespace vm::test {
namespace {

// A browser of the kits with two orders on two tabs and no form.
class TwoTabBrowser : public BrowseWindow {
 public:
  TwoTabBrowser() : BrowseWindow("TestTwoTabs") {
    table.open();
    tabs = new QTabWidget(this);
    tabs->addTab(new QWidget, "By name");
    tabs->addTab(new QWidget, "By number");
    place(tabs, 0, 0, 200, 120);
    list()->setTable(table, View{brand::kBrewKey, {}});
    list()->setFormat("180L(2)@s45@", {brand::kNameOfBrew});
    setTabs(tabs, {View{brand::kBrewKey, {}}, View{brand::kRecordKey, {}}});
    list()->first();
  }
  UpdateForm* makeForm(Request) override { return nullptr; }
  void onTabChanged(int i) override { changedTo.push_back(i); }
  BrandTable table;
  QTabWidget* tabs;
  std::vector<int> changedTo;
};

class BrowseWindowTest : public BrowseFixture {};

TEST_F(BrowseWindowTest, TabsChooseTheOrderAndClosingClearsTheBrowseMarker) {
  addKits({"Stout", "Ale", "Porter"});
  auto* w = new TwoTabBrowser;
  w->setAttribute(Qt::WA_DeleteOnClose);
  w->resize(w->units().toPixels(QSize(200, 120)));
  w->show();
  settle();
  EXPECT_EQ(w->list()->cellText(0, 0), "Ale");
  EXPECT_EQ(w->list()->parentWidget(), w->tabs->widget(0));
  w->tabs->setCurrentIndex(1);
  settle();
  EXPECT_EQ(w->list()->parentWidget(), w->tabs->widget(1));
  EXPECT_EQ(w->list()->cellText(0, 0), "Stout");  // record number order
  EXPECT_EQ(w->list()->cellText(2, 0), "Porter");
  EXPECT_EQ(w->changedTo, std::vector<int>{1});

  globals().browseOpen = 1;
  w->close();
  settle();
  EXPECT_EQ(globals().browseOpen, 0);
}

}  // namespace
}  // namespace vm::test
