// Display pictures: reading the picture strings windows and reports name,
// formatting values through them, and reading typed text back.
//
// Choices where a picture leaves room:
//  * Numbers are not padded to the picture's width: the width only limits
//    what fits (too wide gives a row of '#' of that width) and, with the '0'
//    flag, sets how many zeros are put in front.  The control or report field
//    that shows the text does the aligning.
//  * A point with no places ("@N5.") is a whole number; no point is shown.
//  * A negative value keeps its minus sign even when the picture has no '-';
//    hiding it would show a different number.  Typed input, though, may only
//    be negative when the picture allows a minus.
//  * No thousands separators.
//  * "B" blanks a number when it shows as zero at the picture's places.
//  * Date formats without the '0' flag drop leading zeros from day and month
//    ("1/2/2024"); with it they always show two digits ("01/02/2024").
//  * A '<' pattern position that would be a leading zero shows a blank
//    ("@pPage <<<#p" shows page 7 as "Page    7").
#include "base/Picture.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdlib>
#include <vector>

namespace vm {

namespace {

constexpr std::array<const char*, 12> kMonthNames = {
    "January", "February", "March",     "April",   "May",      "June",
    "July",    "August",   "September", "October", "November", "December"};
constexpr std::array<const char*, 7> kWeekdayNames = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                      "Thursday", "Friday", "Saturday"};

// The built-in date formats by number, in the pattern language of the
// regional formats.  17 and 18 are the regional ones.
const char* builtInDateFormat(int number) {
  switch (number) {
    case 1:
      return "M/d/yy";
    case 2:
      return "M/d/yyyy";
    case 3:
      return "MMM d, yyyy";
    case 4:
      return "MMMM d, yyyy";
    case 5:
      return "d/M/yy";
    case 6:
      return "d/M/yyyy";
    case 7:
      return "d MMM yy";
    case 8:
      return "d MMM yyyy";
    case 9:
      return "yy/M/d";
    case 10:
      return "yyyy/M/d";
    case 11:
      return "yyMMdd";
    case 12:
      return "yyyyMMdd";
    case 13:
      return "M/yy";
    case 14:
      return "M/yyyy";
    case 15:
      return "yy/M";
    case 16:
      return "yyyy/M";
    default:
      return nullptr;
  }
}

RegionalDates& regional() {
  static RegionalDates formats;
  return formats;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}
char lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

// Reads a run of digits at `pos`; false when there is none.
bool readInt(std::string_view s, std::size_t& pos, int& value) {
  if (pos >= s.size() || !isDigit(s[pos])) return false;
  value = 0;
  while (pos < s.size() && isDigit(s[pos])) {
    if (value < 100000) value = value * 10 + (s[pos] - '0');
    ++pos;
  }
  return true;
}

std::string twoDigits(int v) {
  std::string s = std::to_string(v);
  return s.size() < 2 ? "0" + s : s;
}

// One element of a date format: a field letter with its run length, or a
// piece of literal text.
struct DateToken {
  char field = 0;  // 'd', 'M', 'y' or 0 for literal text
  int length = 0;
  std::string literal;
};

std::vector<DateToken> tokeniseDateFormat(std::string_view format) {
  std::vector<DateToken> tokens;
  auto addLiteral = [&tokens](std::string_view text) {
    if (!tokens.empty() && tokens.back().field == 0) {
      tokens.back().literal += text;
    } else {
      tokens.push_back({0, 0, std::string(text)});
    }
  };
  for (std::size_t i = 0; i < format.size();) {
    const char c = format[i];
    if (c == 'd' || c == 'M' || c == 'y') {
      std::size_t j = i;
      while (j < format.size() && format[j] == c) ++j;
      tokens.push_back({c, static_cast<int>(j - i), {}});
      i = j;
    } else if (c == '\'') {
      // Quoted literal text; two quotes stand for one.
      std::size_t j = i + 1;
      std::string text;
      while (j < format.size()) {
        if (format[j] == '\'') {
          if (j + 1 < format.size() && format[j + 1] == '\'') {
            text += '\'';
            j += 2;
            continue;
          }
          ++j;
          break;
        }
        text += format[j++];
      }
      if (text.empty() && j == i + 2) text = "'";
      addLiteral(text);
      i = j;
    } else {
      addLiteral(format.substr(i, 1));
      ++i;
    }
  }
  return tokens;
}

std::string dateFormatFor(const Picture& p) {
  if (p.dateFormat == 17) return regional().shortFormat;
  if (p.dateFormat == 18) return regional().longFormat;
  const char* f = builtInDateFormat(p.dateFormat);
  return f ? f : "";
}

// Day and month of one or two letters follow the '0' flag; longer runs are
// names and stay as they are.
int effectiveLength(const DateToken& t, bool zeroPad) {
  if ((t.field == 'd' || t.field == 'M') && t.length <= 2) return zeroPad ? 2 : 1;
  return t.length;
}

// Two-digit years: with the '>' hint the year lies in the current century;
// otherwise in the hundred years that end twenty years after this one.
int completeYear(int yy, bool centuryHint) {
  const int thisYear = calendarDate(today()).year > 0 ? calendarDate(today()).year : 2000;
  if (centuryHint) return thisYear / 100 * 100 + yy;
  int year = (thisYear + 20) / 100 * 100 + yy;
  if (year > thisYear + 20) year -= 100;
  return year;
}

// Month from a name or its first three letters or more, 0 when none fits.
int monthFromName(std::string_view word) {
  if (word.size() < 3) return 0;
  for (int m = 0; m < 12; ++m) {
    std::string_view name = kMonthNames[static_cast<std::size_t>(m)];
    if (word.size() > name.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (lower(word[i]) != lower(name[i])) same = false;
    }
    if (same) return m + 1;
  }
  return 0;
}

bool isWeekdayName(std::string_view word) {
  if (word.size() < 3) return false;
  for (const char* name : kWeekdayNames) {
    std::string_view n(name);
    if (word.size() > n.size()) continue;
    bool same = true;
    for (std::size_t i = 0; i < word.size(); ++i) {
      if (lower(word[i]) != lower(n[i])) same = false;
    }
    if (same) return true;
  }
  return false;
}

std::string utf8Prefix(std::string_view text, int characters) {
  std::size_t i = 0;
  int count = 0;
  while (i < text.size() && count < characters) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t len = c < 0x80           ? 1
                      : (c >> 5) == 0x6  ? 2
                      : (c >> 4) == 0xE  ? 3
                      : (c >> 3) == 0x1E ? 4
                                         : 1;
    i = std::min(text.size(), i + len);
    ++count;
  }
  return std::string(text.substr(0, i));
}

// Matches typed text against a digit pattern: '#' takes a digit, '<' a digit,
// a blank or nothing, anything else itself.  Collects the digits on success.
bool matchPattern(std::string_view text, std::string_view pattern, std::string& digits) {
  if (pattern.empty()) return text.empty();
  const char p = pattern.front();
  if (p == '#') {
    if (text.empty() || !isDigit(text.front())) return false;
    digits += text.front();
    if (matchPattern(text.substr(1), pattern.substr(1), digits)) return true;
    digits.pop_back();
    return false;
  }
  if (p == '<') {
    if (!text.empty() && isDigit(text.front())) {
      digits += text.front();
      if (matchPattern(text.substr(1), pattern.substr(1), digits)) return true;
      digits.pop_back();
    }
    if (!text.empty() && text.front() == ' ' &&
        matchPattern(text.substr(1), pattern.substr(1), digits)) {
      return true;
    }
    return matchPattern(text, pattern.substr(1), digits);
  }
  if (text.empty() || text.front() != p) return false;
  return matchPattern(text.substr(1), pattern.substr(1), digits);
}

}  // namespace

Picture Picture::parse(std::string_view text) {
  Picture p;
  Picture invalid;
  // List formats end a picture with '@' ("@s45@"); it carries no meaning.
  if (text.size() > 2 && text.back() == '@') text.remove_suffix(1);
  if (text.size() < 2 || text[0] != '@') return invalid;
  const char kind = text[1];
  std::size_t pos = 2;
  switch (lower(kind)) {
    case 's': {
      p.kind = Kind::Text;
      if (pos < text.size() && !readInt(text, pos, p.width)) return invalid;
      break;
    }
    case 'n': {
      p.kind = Kind::Number;
      if (pos < text.size() && text[pos] == '-') {
        p.allowMinus = true;
        ++pos;
      }
      if (pos + 1 < text.size() && text[pos] == '0' && isDigit(text[pos + 1])) {
        p.zeroPad = true;
        ++pos;
      }
      readInt(text, pos, p.width);
      if (pos < text.size() && text[pos] == '.') {
        ++pos;
        readInt(text, pos, p.places);
      }
      if (p.places > 30) return invalid;
      break;
    }
    case 'd': {
      p.kind = Kind::Date;
      if (pos + 1 < text.size() && text[pos] == '0' && isDigit(text[pos + 1])) {
        p.zeroPad = true;
        ++pos;
      }
      if (!readInt(text, pos, p.dateFormat)) p.dateFormat = 1;
      if (p.dateFormat != 17 && p.dateFormat != 18 && !builtInDateFormat(p.dateFormat)) {
        return invalid;
      }
      if (pos < text.size() && (text[pos] == '>' || text[pos] == '<')) {
        p.centuryHint = text[pos] == '>';
        ++pos;
      }
      break;
    }
    case 't': {
      p.kind = Kind::Time;
      if (!readInt(text, pos, p.timeFormat)) p.timeFormat = 1;
      if (p.timeFormat < 1 || p.timeFormat > 6) return invalid;
      break;
    }
    case 'p': {
      // The pattern runs to the last letter matching the opening one, so
      // "@pPage <<<#p" keeps its capital P.
      const std::size_t close = text.rfind(kind);
      if (close == std::string_view::npos || close < 2) return invalid;
      p.kind = Kind::Pattern;
      p.pattern = std::string(text.substr(2, close - 2));
      pos = close + 1;
      break;
    }
    default:
      return invalid;
  }
  if (pos < text.size() && (text[pos] == 'B' || text[pos] == 'b') && p.kind != Kind::Text) {
    p.blankWhenZero = true;
    ++pos;
  }
  if (pos != text.size()) return invalid;
  return p;
}

const RegionalDates& regionalDates() {
  return regional();
}

void setRegionalDates(const RegionalDates& formats) {
  regional() = formats;
}

std::string formatNumber(const Decimal& value, std::string_view picture) {
  const Picture p = Picture::parse(picture);
  if (p.kind != Picture::Kind::Number) return value.toString();
  const Decimal shown = value.stored(p.places);
  if (p.blankWhenZero && shown.isZero()) return "";
  std::string digits = shown.abs().toFixed(p.places);
  const std::string sign = shown.isNegative() ? "-" : "";
  if (p.zeroPad && p.width > 0) {
    const int room = p.width - static_cast<int>(sign.size() + digits.size());
    if (room > 0) digits.insert(0, static_cast<std::size_t>(room), '0');
  }
  std::string out = sign + digits;
  if (p.width > 0 && static_cast<int>(out.size()) > p.width) {
    return std::string(static_cast<std::size_t>(p.width), '#');
  }
  return out;
}

std::string formatNumber(double value, std::string_view picture) {
  return formatNumber(Decimal::fromDouble(value, 30), picture);
}

std::string formatDate(DayNumber day, std::string_view picture) {
  const Picture p = Picture::parse(picture);
  if (p.kind != Picture::Kind::Date) return "";
  // No date shows as blanks whether or not the picture asks for it: there
  // is nothing sensible to print for day 0.
  if (day <= 0) return "";
  const YearMonthDay ymd = calendarDate(day);
  // The digit-run formats are unreadable without their zeros.
  const bool zeroPad = p.zeroPad || p.dateFormat == 11 || p.dateFormat == 12;
  std::string out;
  for (const DateToken& t : tokeniseDateFormat(dateFormatFor(p))) {
    const int len = effectiveLength(t, zeroPad);
    switch (t.field) {
      case 'd':
        if (len == 1) {
          out += std::to_string(ymd.day);
        } else if (len == 2) {
          out += twoDigits(ymd.day);
        } else {
          std::string name = kWeekdayNames[static_cast<std::size_t>(weekday(day))];
          out += len == 3 ? name.substr(0, 3) : name;
        }
        break;
      case 'M':
        if (len == 1) {
          out += std::to_string(ymd.month);
        } else if (len == 2) {
          out += twoDigits(ymd.month);
        } else {
          std::string name = kMonthNames[static_cast<std::size_t>(ymd.month - 1)];
          out += len == 3 ? name.substr(0, 3) : name;
        }
        break;
      case 'y':
        out += len <= 2 ? twoDigits(ymd.year % 100) : std::to_string(ymd.year);
        break;
      default:
        out += t.literal;
    }
  }
  return out;
}

std::string formatTime(int secondsSinceMidnight, std::string_view picture) {
  const Picture p = Picture::parse(picture);
  if (p.kind != Picture::Kind::Time) return "";
  if (p.blankWhenZero && secondsSinceMidnight == 0) return "";
  int s = secondsSinceMidnight % 86400;
  if (s < 0) s += 86400;
  const int hour = s / 3600, minute = s / 60 % 60, second = s % 60;
  const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
  const std::string ampm = hour < 12 ? "AM" : "PM";
  switch (p.timeFormat) {
    case 1:
      return std::to_string(hour) + ":" + twoDigits(minute);
    case 2:
      return twoDigits(hour) + twoDigits(minute);
    case 3:
      return std::to_string(hour12) + ":" + twoDigits(minute) + ampm;
    case 4:
      return std::to_string(hour) + ":" + twoDigits(minute) + ":" + twoDigits(second);
    case 5:
      return twoDigits(hour) + twoDigits(minute) + twoDigits(second);
    default:
      return std::to_string(hour12) + ":" + twoDigits(minute) + ":" + twoDigits(second) + ampm;
  }
}

std::string formatPattern(long long value, std::string_view picture) {
  const Picture p = Picture::parse(picture);
  if (p.kind != Picture::Kind::Pattern) return "";
  if (p.blankWhenZero && value == 0) return "";
  const bool negative = value < 0;
  std::string digits = std::to_string(value);
  if (negative) digits.erase(0, 1);
  const auto positions = std::count_if(p.pattern.begin(), p.pattern.end(),
                                       [](char c) { return c == '#' || c == '<'; });
  if (static_cast<long long>(digits.size()) > positions) {
    return std::string(p.pattern.size(), '#');
  }
  // Lay the digits in from the right; positions beyond them are zeros.
  std::string out(p.pattern.size(), ' ');
  std::vector<bool> dropped(p.pattern.size(), false);
  std::size_t next = digits.size();
  for (std::size_t i = p.pattern.size(); i-- > 0;) {
    const char c = p.pattern[i];
    if (c == '#' || c == '<') {
      if (next > 0) {
        out[i] = digits[--next];
      } else if (c == '#') {
        out[i] = '0';
      } else {
        dropped[i] = true;
      }
    } else {
      out[i] = c;
    }
  }
  // A '<' without a digit only counts as leading when no digit stands
  // before it; leading ones stay as blanks, so the text keeps the pattern's
  // length and the fixed characters keep their places.
  std::string result;
  bool digitSeen = false;
  for (std::size_t i = 0; i < out.size(); ++i) {
    const char c = p.pattern[i];
    if (c == '#' || c == '<') {
      if (dropped[i] && !digitSeen) {
        result += ' ';
        continue;
      }
      digitSeen = true;
      result += dropped[i] ? '0' : out[i];
    } else {
      result += out[i];
    }
  }
  if (negative) {
    // The sign goes just before the first digit, into the blank of a
    // leading '<' when there is one.
    const std::size_t first = result.find_first_of("0123456789");
    if (first != std::string::npos && first > 0 && dropped[first - 1])
      result[first - 1] = '-';
    else
      result.insert(first == std::string::npos ? 0 : first, 1, '-');
  }
  return result;
}

std::string formatText(std::string_view text, std::string_view picture) {
  const Picture p = Picture::parse(picture);
  if (p.kind != Picture::Kind::Text || p.width <= 0) return std::string(text);
  return utf8Prefix(text, p.width);
}

std::optional<Decimal> parseNumber(std::string_view text, std::string_view picture) {
  text = trimmed(text);
  if (text.empty()) return Decimal();
  const Picture p = Picture::parse(picture);
  auto value = Decimal::parse(text);
  if (!value) return std::nullopt;
  if (p.kind != Picture::Kind::Number) return value;
  const Decimal stored = value->stored(p.places);
  if (stored.isNegative() && !p.allowMinus) return std::nullopt;
  const std::string shown = formatNumber(stored, picture);
  if (p.width > 0 && !shown.empty() && shown.find_first_not_of('#') == std::string::npos) {
    return std::nullopt;
  }
  return stored;
}

std::optional<DayNumber> parseDate(std::string_view text, std::string_view picture) {
  text = trimmed(text);
  if (text.empty()) return 0;
  const Picture p = Picture::parse(picture);
  if (p.kind != Picture::Kind::Date) return std::nullopt;

  // The order of day, month and year comes from the picture's format.
  std::vector<char> order;
  for (const DateToken& t : tokeniseDateFormat(dateFormatFor(p))) {
    if (t.field == 'y' || t.field == 'M' || (t.field == 'd' && t.length <= 2)) {
      if (std::find(order.begin(), order.end(), t.field) == order.end()) order.push_back(t.field);
    }
  }

  // Split into numbers and words; a month word fills the month wherever it
  // stands, weekday words are ignored.
  std::vector<int> numbers;
  std::vector<bool> yearWritten;  // four or more digits: not a two-digit year
  int namedMonth = 0;
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    if (isDigit(c)) {
      const std::size_t start = i;
      int v = 0;
      readInt(text, i, v);
      numbers.push_back(v);
      yearWritten.push_back(i - start > 2);
    } else if (std::isalpha(static_cast<unsigned char>(c))) {
      std::size_t j = i;
      while (j < text.size() && std::isalpha(static_cast<unsigned char>(text[j]))) ++j;
      const std::string_view word = text.substr(i, j - i);
      const int m = monthFromName(word);
      if (m && !namedMonth) {
        namedMonth = m;
      } else if (!isWeekdayName(word)) {
        return std::nullopt;
      }
      i = j;
    } else {
      ++i;
    }
  }

  // Compact input without separators ("311210", "20101031") follows the
  // picture's order with two-digit fields.
  if (numbers.size() == 1 && !namedMonth && order.size() == 3) {
    std::string_view digits = text;
    if (digits.size() == 6 || digits.size() == 8) {
      numbers.clear();
      yearWritten.clear();
      std::size_t at = 0;
      for (char field : order) {
        const std::size_t len = field == 'y' && digits.size() == 8 ? 4 : 2;
        numbers.push_back(std::atoi(std::string(digits.substr(at, len)).c_str()));
        yearWritten.push_back(len == 4);
        at += len;
      }
    }
  }

  // A year written first with all its digits ("2024-01-02") is read as
  // year, month, day whatever the picture's order.
  if (numbers.size() == 3 && !namedMonth && yearWritten[0] && !order.empty() && order[0] != 'y') {
    order = {'y', 'M', 'd'};
  }

  int day = 0, month = namedMonth, year = 0;
  bool yearFull = false;
  std::size_t n = 0;
  bool haveYear = false;
  for (char field : order) {
    if (field == 'M' && namedMonth) continue;
    if (n >= numbers.size()) break;
    if (field == 'd') day = numbers[n];
    if (field == 'M') month = numbers[n];
    if (field == 'y') {
      year = numbers[n];
      yearFull = yearWritten[n];
      haveYear = true;
    }
    ++n;
  }
  if (n != numbers.size()) return std::nullopt;
  if (!haveYear) {
    year = calendarDate(today()).year;
    yearFull = true;
  }
  if (day == 0 && std::find(order.begin(), order.end(), 'd') == order.end()) day = 1;
  if (!yearFull && year < 100) year = completeYear(year, p.centuryHint);
  if (year < 1801 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > daysInMonth(year, month)) {
    return std::nullopt;
  }
  return dayNumber(year, month, day);
}

std::optional<long long> parsePattern(std::string_view text, std::string_view picture) {
  text = trimmed(text);
  if (text.empty()) return 0;
  const Picture p = Picture::parse(picture);
  if (p.kind != Picture::Kind::Pattern) return std::nullopt;
  std::string digits;
  std::string_view pattern = trimmed(p.pattern);
  if (!matchPattern(text, pattern, digits)) {
    // Plain digits are always accepted when they fit the pattern.
    digits.clear();
    for (char c : text) {
      if (!isDigit(c)) return std::nullopt;
      digits += c;
    }
    const auto positions =
        std::count_if(pattern.begin(), pattern.end(), [](char c) { return c == '#' || c == '<'; });
    if (static_cast<long long>(digits.size()) > positions) return std::nullopt;
  }
  if (digits.size() > 18) return std::nullopt;
  long long value = 0;
  for (char c : digits) value = value * 10 + (c - '0');
  return value;
}

}  // namespace vm
