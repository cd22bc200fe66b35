// The sugar table: its informative line by the alcohol basis and the
// allowance button, which works once per opening.
#include <QLabel>
#include <QPushButton>

#include "CalcFixture.h"
#include "brews/Win_SugarAlc.h"

namespace vm {
namespace {

using SugarAlcTest = test::CalcFixture;

std::vector<QString> column(Win_SugarAlc* w, bool volume) {
  std::vector<QString> out;
  for (int r = 0; r < 4; ++r) out.push_back((volume ? w->alcVol(r) : w->alcWgt(r))->text());
  return out;
}
using C = std::vector<QString>;

TEST_F(SugarAlcTest, LineAndAllowanceFollowTheBasis) {
  struct Case {
    int basis;
    const char* before;
    const char* after;
    C volume, weight;
  };
  const Case cases[] = {
      {0, "Excludes the 0.4% for Bottle Conditioning",
       "Includes the 0.4% (abw) for Bottle Conditioning", C{"5.7", "5.1", "4.5", "3.9"},
       C{"4.6", "4.1", "3.6", "3.1"}},
      {1, "Excludes the 0.5% for Bottle Conditioning",
       "Includes the 0.5% (abv) for Bottle Conditioning", C{"5.7", "5.1", "4.5", "3.9"},
       C{"4.6", "4.1", "3.6", "3.1"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.basis);
    globals().alcBasedOn = static_cast<std::uint8_t>(c.basis);
    auto* w = show(new Win_SugarAlc);
    EXPECT_EQ(w->windowTitle(), "Fermentation   (Sugar volumn)");
    EXPECT_EQ(w->informLine()->text(), c.before);
    EXPECT_EQ(column(w, true), (C{"5.2", "4.6", "4.0", "3.4"}));
    EXPECT_EQ(column(w, false), (C{"4.2", "3.7", "3.2", "2.7"}));

    QTest::mouseClick(w->allowanceButton(), Qt::LeftButton);
    EXPECT_EQ(w->informLine()->text(), c.after);
    EXPECT_EQ(column(w, true), c.volume);
    EXPECT_EQ(column(w, false), c.weight);
    EXPECT_TRUE(script.shown().empty());
    w->finish();
    settle();
  }
}

TEST_F(SugarAlcTest, SecondPressIsRefusedAndANewOpeningStartsFromTheTable) {
  auto* w = show(new Win_SugarAlc);
  QTest::mouseClick(w->allowanceButton(), Qt::LeftButton);
  QTest::mouseClick(w->allowanceButton(), Qt::LeftButton);
  ASSERT_EQ(script.shown().size(), 1u);
  EXPECT_EQ(shownTexts()[0], "Done... / Extra % for bottle conditioning has already been applied.");
  EXPECT_EQ(script.shown()[0].icon, MessageIcon::Question);
  EXPECT_EQ(w->alcVol(0)->text(), "5.7");
  EXPECT_EQ(w->alcWgt(0)->text(), "4.6");

  w->finish();
  settle();
  w = show(new Win_SugarAlc);
  EXPECT_EQ(w->alcVol(0)->text(), "5.2");
  QTest::mouseClick(w->allowanceButton(), Qt::LeftButton);
  EXPECT_EQ(w->alcVol(0)->text(), "5.7");
  EXPECT_EQ(script.shown().size(), 1u);
}

}  // namespace
}  // namespace vm
