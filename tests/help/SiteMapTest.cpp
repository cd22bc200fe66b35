#include "platform/help/SiteMap.h"

#include <gtest/gtest.h>

namespace vm {
namespace {

TEST(SiteMap, ReadsTreeOfEntriesInTheShapesCompilersWrite) {
  // Upper- and lower-case tags, bare and single-quoted values, unclosed <LI>,
  // a comment that looks like an entry, and the site-properties header.
  const char* html = R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<!-- <OBJECT type="text/sitemap"><param name="Name" value="commented out"></OBJECT> -->
<UL>
  <LI> <OBJECT type="text/sitemap"><param name="Name" value="Welcome"><param name="Local" value="index.htm"></OBJECT>
  <li><object TYPE='text/sitemap'><PARAM NAME=Name VALUE='Your brews'></object>
  <ul>
    <li><object type="text/sitemap"><param name="name" value="Browse &amp; edit &quot;brews&quot;"><param name="local" value=BrowseHOMEBREW.htm></object>
    <UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Deeper"><param name="Local" value="a/b.htm#x"></OBJECT></UL>
  </ul>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Back at the top"><param name="Local" value="top.htm"></OBJECT>
</UL></BODY></HTML>)";
  auto entries = parseSiteMap(html);
  ASSERT_EQ(entries.size(), 5u);
  struct Expected {
    const char* name;
    const char* local;  // "" for none
    int depth;
  } expected[] = {{"Welcome", "index.htm", 0},
                  {"Your brews", "", 0},
                  {"Browse & edit \"brews\"", "BrowseHOMEBREW.htm", 1},
                  {"Deeper", "a/b.htm#x", 2},
                  {"Back at the top", "top.htm", 0}};
  for (std::size_t i = 0; i < entries.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(entries[i].name, expected[i].name);
    EXPECT_EQ(entries[i].depth, expected[i].depth);
    if (*expected[i].local) {
      ASSERT_EQ(entries[i].locals.size(), 1u);
      EXPECT_EQ(entries[i].locals[0], expected[i].local);
    } else {
      EXPECT_TRUE(entries[i].locals.empty());
    }
  }
}

TEST(SiteMap, IndexEntryKeepsEveryPageAndItsKeywordName) {
  auto entries = parseSiteMap(
      R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="Dates">)"
      R"(<param name="Name" value="Edit Brew"><param name="Local" value="UpdateHOMEBREW.htm">)"
      R"(<param name="Name" value="Glossary"><param name="Local" value="Terms.htm"></OBJECT></UL>)");
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "Dates");
  EXPECT_EQ(entries[0].locals, (std::vector<std::string>{"UpdateHOMEBREW.htm", "Terms.htm"}));
}

TEST(SiteMap, DamagedInputGivesTheEntriesBeforeTheDamage) {
  std::string good =
      R"(<UL><LI><OBJECT type="text/sitemap"><param name="Name" value="One"><param name="Local" value="1.htm"></OBJECT>)";
  for (const char* tail :
       {"<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Tw",
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Two\">", "<", "<OBJECT",
        "\"", "<param name=\"Name\" value=\"Stray\"></OBJECT>"}) {
    SCOPED_TRACE(tail);
    auto entries = parseSiteMap(good + tail);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].name, "One");
  }
  EXPECT_TRUE(parseSiteMap("").empty());
  EXPECT_TRUE(parseSiteMap("no tags at all").empty());
}

TEST(SiteMap, DecodesCharacterReferences) {
  struct Case {
    const char* in;
    const char* out;
  } cases[] = {
      {"Kits &amp; Recipes", "Kits & Recipes"},
      {"&lt;b&gt; &quot;x&quot; &apos;y&apos;", "<b> \"x\" 'y'"},
      {"&#65;&#x42;&#X43;", "ABC"},
      {"20&#176;C",
       "20\xC2\xB0"
       "C"},
      {"&#x1F37A;", "\xF0\x9F\x8D\xBA"},
      {"&nbsp;", "\xC2\xA0"},
      {"&bogus; &amp &#xZZ; &#;", "&bogus; &amp &#xZZ; &#;"},
      {"50% & more", "50% & more"},
  };
  for (const auto& c : cases) EXPECT_EQ(decodeHtmlEntities(c.in), c.out) << c.in;
}

}  // namespace
}  // namespace vm
