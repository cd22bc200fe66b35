#include <gtest/gtest.h>

#include "platform/browse/ListFormat.h"

namespace vm {
namespace {

// The layouts the program's browsers are designed with.
const char* const kKits = "180L(2)@s45@";
const char* const kWebLinks =
    "161L(2)|M~Website description~@s45@155L(2)|M~Website Address (URL)~@S80@";
const char* const kShopping =
    "19C(2)|M~Item~C(0)@s6@89L(2)|M~Description~L(1)@S45@49L(2)|M~Size~L(1)@S25@40D(12)|M~Qty~L("
    "1)@N10.2@40D(12)|M~Price~L(1)@N10.2@40D(12)|M~Amount~L(1)@N10.2@";

TEST(ListFormat, DesignedLayoutsReadAndWriteBackUnchanged) {
  for (const char* text :
       {kKits, kWebLinks, kShopping, "18R(2)|M*~No.~C(0)@N4B@41L(2)|M*~Down~@D017B@"}) {
    auto columns = parseListFormat(text);
    ASSERT_TRUE(columns) << text;
    EXPECT_EQ(listFormatText(*columns), text);
  }
}

TEST(ListFormat, ColumnsCarryWidthAlignmentHeadingAndPicture) {
  auto kits = parseListFormat(kKits);
  ASSERT_TRUE(kits);
  ASSERT_EQ(kits->size(), 1u);
  const ListColumn& k = (*kits)[0];
  EXPECT_EQ(k.width, 180);
  EXPECT_EQ(k.align, 'L');
  EXPECT_EQ(k.indent, 2);
  EXPECT_FALSE(k.hasHeading);
  EXPECT_FALSE(k.resizable());
  EXPECT_EQ(k.picture, "@s45");

  auto shop = parseListFormat(kShopping);
  ASSERT_TRUE(shop);
  ASSERT_EQ(shop->size(), 6u);
  EXPECT_EQ((*shop)[0].heading, "Item");
  EXPECT_EQ((*shop)[0].align, 'C');
  EXPECT_EQ((*shop)[0].headingAlign, 'C');
  EXPECT_EQ((*shop)[0].headingIndent, 0);
  EXPECT_TRUE((*shop)[0].resizable());
  EXPECT_TRUE((*shop)[0].rightBorder());
  EXPECT_EQ((*shop)[3].align, 'D');
  EXPECT_EQ((*shop)[3].indent, 12);
  EXPECT_EQ((*shop)[3].picture, "@N10.2");
  EXPECT_EQ((*shop)[5].heading, "Amount");
}

TEST(ListFormat, ChangedWidthsAreWrittenAndStillMatchTheDesign) {
  auto designed = parseListFormat(kWebLinks);
  ASSERT_TRUE(designed);
  auto dragged = *designed;
  dragged[0].width = 200;
  const std::string text = listFormatText(dragged);
  EXPECT_EQ(text, "200L(2)|M~Website description~@s45@155L(2)|M~Website Address (URL)~@S80@");
  auto back = parseListFormat(text);
  ASSERT_TRUE(back);
  EXPECT_TRUE(sameColumns(*designed, *back));
  // A layout of another design is not the same list.
  auto other = parseListFormat("161L(2)|M~Website description~@s45@");
  EXPECT_FALSE(sameColumns(*designed, *other));
  auto renamed =
      parseListFormat("161L(2)|M~Description~@s45@155L(2)|M~Website Address (URL)~@S80@");
  EXPECT_FALSE(sameColumns(*designed, *renamed));
}

TEST(ListFormat, TextsThatAreNoLayoutAreRefused) {
  for (const char* bad : {"", "L(2)@s45@", "180@s45@", "180L(2)@s45", "180L(2~x~@s45@",
                          "180L(2)~open@s45@", "180L(2)@@", "180X@s45@", "180L(2)@s45@junk"}) {
    EXPECT_FALSE(parseListFormat(bad)) << bad;
  }
}

}  // namespace
}  // namespace vm
