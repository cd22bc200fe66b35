// Sitemap parsing for the help viewer: a small tag scanner rather than an
// HTML parser, because sitemap files only ever hold lists, objects and
// params, and a damaged file must give fewer entries, never a failure.
#include "platform/help/SiteMap.h"

#include <cctype>
#include <cstdint>
#include <optional>

namespace vm {
namespace {

bool equalsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

struct Tag {
  std::string name;                                             // lower case, "/ul" for an end tag
  std::vector<std::pair<std::string, std::string>> attributes;  // names lower case

  std::optional<std::string> attribute(std::string_view key) const {
    for (const auto& [k, v] : attributes)
      if (k == key) return v;
    return std::nullopt;
  }
};

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

bool isSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// Parses the tag that starts at html[pos] == '<'; pos ends after its '>'.
Tag readTag(std::string_view html, std::size_t& pos) {
  Tag tag;
  std::size_t i = pos + 1;
  std::size_t start = i;
  if (i < html.size() && html[i] == '/') ++i;
  while (i < html.size() && !isSpace(html[i]) && html[i] != '>' && html[i] != '/') ++i;
  tag.name = lower(html.substr(start, i - start));
  while (i < html.size() && html[i] != '>') {
    if (isSpace(html[i]) || html[i] == '/') {
      ++i;
      continue;
    }
    std::size_t nameStart = i;
    while (i < html.size() && !isSpace(html[i]) && html[i] != '=' && html[i] != '>') ++i;
    std::string key = lower(html.substr(nameStart, i - nameStart));
    while (i < html.size() && isSpace(html[i])) ++i;
    std::string value;
    if (i < html.size() && html[i] == '=') {
      ++i;
      while (i < html.size() && isSpace(html[i])) ++i;
      if (i < html.size() && (html[i] == '"' || html[i] == '\'')) {
        char quote = html[i++];
        std::size_t valueStart = i;
        while (i < html.size() && html[i] != quote) ++i;
        value = decodeHtmlEntities(html.substr(valueStart, i - valueStart));
        if (i < html.size()) ++i;
      } else {
        std::size_t valueStart = i;
        while (i < html.size() && !isSpace(html[i]) && html[i] != '>') ++i;
        value = decodeHtmlEntities(html.substr(valueStart, i - valueStart));
      }
    }
    if (!key.empty()) tag.attributes.emplace_back(std::move(key), std::move(value));
  }
  pos = i < html.size() ? i + 1 : html.size();
  return tag;
}

}  // namespace

std::string decodeHtmlEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] != '&') {
      out += text[i++];
      continue;
    }
    std::size_t semi = text.find(';', i);
    if (semi == std::string_view::npos || semi - i > 10) {
      out += text[i++];
      continue;
    }
    std::string_view ref = text.substr(i + 1, semi - i - 1);
    bool done = true;
    if (ref == "amp") {
      out += '&';
    } else if (ref == "lt") {
      out += '<';
    } else if (ref == "gt") {
      out += '>';
    } else if (ref == "quot") {
      out += '"';
    } else if (ref == "apos") {
      out += '\'';
    } else if (ref == "nbsp") {
      appendUtf8(out, 0xA0);
    } else if (ref.size() > 1 && ref[0] == '#') {
      bool hex = ref[1] == 'x' || ref[1] == 'X';
      std::string_view digits = ref.substr(hex ? 2 : 1);
      std::uint32_t cp = 0;
      bool ok = !digits.empty();
      for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') {
          d = c - '0';
        } else if (hex && c >= 'a' && c <= 'f') {
          d = c - 'a' + 10;
        } else if (hex && c >= 'A' && c <= 'F') {
          d = c - 'A' + 10;
        } else {
          ok = false;
          break;
        }
        cp = cp * (hex ? 16 : 10) + static_cast<std::uint32_t>(d);
        if (cp > 0x10FFFF) {
          ok = false;
          break;
        }
      }
      if (ok) {
        appendUtf8(out, cp);
      } else {
        done = false;
      }
    } else {
      done = false;
    }
    if (done) {
      i = semi + 1;
    } else {
      out += text[i++];
    }
  }
  return out;
}

std::vector<SiteMapEntry> parseSiteMap(std::string_view html) {
  std::vector<SiteMapEntry> entries;
  int depth = -1;  // the first <UL> is depth 0
  std::optional<SiteMapEntry> current;
  std::size_t pos = 0;
  while (pos < html.size()) {
    std::size_t lt = html.find('<', pos);
    if (lt == std::string_view::npos) break;
    if (html.compare(lt, 4, "<!--") == 0) {
      std::size_t end = html.find("-->", lt + 4);
      pos = end == std::string_view::npos ? html.size() : end + 3;
      continue;
    }
    pos = lt;
    Tag tag = readTag(html, pos);
    if (tag.name == "ul") {
      ++depth;
    } else if (tag.name == "/ul") {
      if (depth >= 0) --depth;
    } else if (tag.name == "object") {
      auto type = tag.attribute("type");
      if (type && equalsNoCase(*type, "text/sitemap")) {
        current = SiteMapEntry{};
        current->depth = depth < 0 ? 0 : depth;
      }
    } else if (tag.name == "param" && current) {
      auto name = tag.attribute("name");
      auto value = tag.attribute("value");
      if (name && value) {
        if (equalsNoCase(*name, "Name") && current->name.empty()) {
          current->name = *value;
        } else if (equalsNoCase(*name, "Local") && !value->empty()) {
          current->locals.push_back(*value);
        }
      }
    } else if (tag.name == "/object" && current) {
      if (!current->name.empty()) entries.push_back(std::move(*current));
      current.reset();
    }
  }
  return entries;
}

}  // namespace vm
