// Reader for the sitemap pages of a compiled help file: the contents page
// (.hhc) and the keyword index (.hhk).  Both are HTML with one
// <OBJECT type="text/sitemap"> per entry, holding <param> elements for the
// entry's name and page, nested in <UL> lists for the tree.  The reader is
// forgiving in the way help compilers are: tag and attribute names in any
// case, quoted or bare attribute values, unclosed <LI> elements.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vm {

struct SiteMapEntry {
  std::string name;                 // "Name" parameter, entities decoded
  std::vector<std::string> locals;  // every "Local" parameter, in order
  int depth = 0;                    // 0 for the outermost list
};

// The entries in document order.  Objects of other types (the "text/site
// properties" header) are skipped, and so are entries without a name.
std::vector<SiteMapEntry> parseSiteMap(std::string_view html);

// Decodes the character references of an attribute value (&amp; &lt; &gt;
// &quot; &apos; &nbsp; &#N; &#xN;) into UTF-8; an unknown one stays as written.
std::string decodeHtmlEntities(std::string_view text);

}  // namespace vm
