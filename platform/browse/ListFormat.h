// List format texts: the compact description of a browse list's columns
// that the list-layout store keeps in .\Browse.ini ("SRCF?Browse:1").
//
// A text is a run of columns, each written as
//
//   width align [(indent)] [modifiers] [~heading~ [align [(indent)]]] @picture@
//
// for example "180L(2)@s45@" (180 dialog units, left, indent 2, no heading)
// or "161L(2)|M~Website description~@s45@" (a right border "|", resizable
// "M", a heading).  Alignments are L, R, C and D (decimal, which lines the
// numbers up on the right).  Modifiers this list understands: "M" resizable,
// "|" right border, "*" the window colours the column's cells; any others
// are kept as they are, so that a text read and written again is unchanged
// except for the widths the user dragged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vm {

struct ListColumn {
  int width = 0;     // dialog units
  char align = 'L';  // L, R, C or D
  std::optional<int> indent;
  std::string modifiers;  // as written between the alignment and the heading
  bool hasHeading = false;
  std::string heading;
  std::optional<char> headingAlign;
  std::optional<int> headingIndent;
  std::string picture;  // "@s45", without the closing '@'

  bool resizable() const { return modifiers.find('M') != std::string::npos; }
  bool rightBorder() const { return modifiers.find('|') != std::string::npos; }
  bool coloured() const { return modifiers.find('*') != std::string::npos; }
};

// The columns of `text`; nothing when the text is not a list format (an
// empty text, a column without a width or picture, text left over).
std::optional<std::vector<ListColumn>> parseListFormat(std::string_view text);

// The text of `columns`; parseListFormat(listFormatText(c)) == c.
std::string listFormatText(const std::vector<ListColumn>& columns);

// True when `saved` describes the same columns as `designed` apart from the
// widths, so that it may be applied to a list built from `designed`.
bool sameColumns(const std::vector<ListColumn>& designed, const std::vector<ListColumn>& saved);

}  // namespace vm
