#include "platform/browse/ListFormat.h"

#include <cctype>

namespace vm {

namespace {

bool isAlign(char c) {
  return c == 'L' || c == 'R' || c == 'C' || c == 'D';
}

class Reader {
 public:
  explicit Reader(std::string_view t) : t_(t) {}
  bool atEnd() const { return i_ >= t_.size(); }
  char peek() const { return atEnd() ? '\0' : t_[i_]; }
  char take() { return t_[i_++]; }
  std::optional<int> number() {
    std::size_t start = i_;
    bool negative = false;
    if (peek() == '-') {
      negative = true;
      ++i_;
    }
    long value = 0;
    std::size_t digits = i_;
    while (!atEnd() && std::isdigit(static_cast<unsigned char>(peek()))) {
      value = value * 10 + (take() - '0');
      if (value > 100000) return std::nullopt;
    }
    if (i_ == digits) {
      i_ = start;
      return std::nullopt;
    }
    return static_cast<int>(negative ? -value : value);
  }
  // "(n)" after an alignment.
  bool indent(std::optional<int>& out) {
    if (peek() != '(') return true;
    ++i_;
    auto n = number();
    if (!n || peek() != ')') return false;
    ++i_;
    out = n;
    return true;
  }
  // Text up to (not including) `end`; false when `end` never comes.
  bool until(char end, std::string& out) {
    auto pos = t_.find(end, i_);
    if (pos == std::string_view::npos) return false;
    out.assign(t_.substr(i_, pos - i_));
    i_ = pos + 1;
    return true;
  }

 private:
  std::string_view t_;
  std::size_t i_ = 0;
};

}  // namespace

std::optional<std::vector<ListColumn>> parseListFormat(std::string_view text) {
  std::vector<ListColumn> columns;
  Reader r(text);
  while (!r.atEnd()) {
    ListColumn c;
    auto width = r.number();
    if (!width || *width < 0) return std::nullopt;
    c.width = *width;
    if (!isAlign(r.peek())) return std::nullopt;
    c.align = r.take();
    if (!r.indent(c.indent)) return std::nullopt;
    // Modifiers run up to the heading or the picture.
    while (!r.atEnd() && r.peek() != '~' && r.peek() != '@') c.modifiers += r.take();
    if (r.peek() == '~') {
      r.take();
      c.hasHeading = true;
      if (!r.until('~', c.heading)) return std::nullopt;
      if (isAlign(r.peek())) {
        c.headingAlign = r.take();
        if (!r.indent(c.headingIndent)) return std::nullopt;
      }
    }
    if (r.peek() != '@') return std::nullopt;
    r.take();
    std::string pic;
    if (!r.until('@', pic) || pic.empty()) return std::nullopt;
    c.picture = "@" + pic;
    columns.push_back(std::move(c));
  }
  if (columns.empty()) return std::nullopt;
  return columns;
}

std::string listFormatText(const std::vector<ListColumn>& columns) {
  std::string out;
  for (const ListColumn& c : columns) {
    out += std::to_string(c.width);
    out += c.align;
    if (c.indent) out += "(" + std::to_string(*c.indent) + ")";
    out += c.modifiers;
    if (c.hasHeading) {
      out += "~" + c.heading + "~";
      if (c.headingAlign) {
        out += *c.headingAlign;
        if (c.headingIndent) out += "(" + std::to_string(*c.headingIndent) + ")";
      }
    }
    out += c.picture + "@";
  }
  return out;
}

bool sameColumns(const std::vector<ListColumn>& designed, const std::vector<ListColumn>& saved) {
  if (designed.size() != saved.size()) return false;
  for (std::size_t i = 0; i < designed.size(); ++i) {
    const ListColumn& a = designed[i];
    const ListColumn& b = saved[i];
    if (a.align != b.align || a.indent != b.indent || a.modifiers != b.modifiers ||
        a.hasHeading != b.hasHeading || a.heading != b.heading ||
        a.headingAlign != b.headingAlign || a.headingIndent != b.headingIndent ||
        a.picture != b.picture)
      return false;
  }
  return true;
}

}  // namespace vm
