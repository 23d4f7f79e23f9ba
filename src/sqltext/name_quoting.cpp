#include "sqltext/name_quoting.h"

#include <exception>

#include "sqltext/report_error.h"

namespace wheretree {
namespace {

constexpr QuotePair kNothing{};
constexpr QuotePair kBrackets{u'[', u']'};
constexpr QuotePair kDoubleQuotes{u'"', u'"'};
constexpr QuotePair kSingleQuotes{u'\'', u'\''};
constexpr QuotePair kBackquotes{u'`', u'`'};

// Only the letters of the code page's two alphabets have standard capitals; no other character
// upper-cases into the standard set there, so mapping these two ranges is the whole conversion.
bool IsStandardNameUnit(char16_t c) noexcept {
  if ((c >= u'a' && c <= u'z') || (c >= u'\u0430' && c <= u'\u044F')) c -= 0x20;
  return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || c == u'_' ||
         (c >= u'\u0410' && c <= u'\u042F');
}

// a"b -> a""b
std::u16string DoubleEveryQuote(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (const char16_t c : text) {
    out.push_back(c);
    if (c == u'"') out.push_back(c);
  }
  return out;
}

// a""b -> a"b, and """ -> "" (pairs are taken left to right).
std::u16string SingleEveryQuotePair(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    out.push_back(text[i]);
    if (text[i] == u'"' && i + 1 < text.size() && text[i + 1] == u'"') ++i;
  }
  return out;
}

// Reports "UnBoundBlunkName :" followed by the name; falls back to the bare prefix when even the
// report text cannot be built.
void ReportUnquoting(std::u16string_view name) noexcept {
  constexpr std::u16string_view prefix = u"UnBoundBlunkName :";
  if (!HasReportSink()) return;  // nobody would read the text
  try {
    std::u16string source(prefix);
    source.append(name);
    ReportError(source, 0, u"");
  } catch (...) {
    ReportError(prefix, 0, u"");
  }
}

}  // namespace

SqlDialect DialectOf(std::int32_t VidSql) noexcept {
  switch (VidSql) {
    case 0:
    case 3:
    case 14:
      return {kBrackets, kBrackets, false};
    case 1:
    case 5:
    case 9:
      return {kDoubleQuotes, kDoubleQuotes, true};
    case 2:
    case 4:
    case 6:
      return {kBrackets, kNothing, false};
    case 11:
      return {kNothing, kSingleQuotes, false};
    case 13:
      return {kBackquotes, kBackquotes, false};
    default:  // 7, 8, 10, 12 and every code outside 0..14
      return {kNothing, kNothing, false};
  }
}

std::u16string del_in_name(std::u16string_view name) {
  std::u16string copy;
  try {
    copy = name;
    for (char16_t& c : copy) {
      if (c == u'.') c = u'_';
    }
  } catch (const std::exception&) {
    ReportError(u"Utils.del_in_name", 0, u"");
  }
  return copy;
}

bool IsNonStandardName(std::u16string_view part) {
  for (const char16_t c : part) {
    if (!IsStandardNameUnit(c)) return true;
  }
  return false;
}

std::u16string BoundBlunkName(std::int32_t VidSql, std::u16string& name) {
  if (name == u"*") return name;
  const SqlDialect dialect = DialectOf(VidSql);
  if (dialect.bound.IsNothing()) return name;

  // The common case: no quote to double and every part standard; the name comes back as it is.
  const std::u16string_view as_given = name;
  if (as_given.find(u'"') == std::u16string_view::npos) {
    std::size_t dots = 0;
    bool standard = true;
    for (const char16_t c : as_given) {
      if (c == u'.') {
        ++dots;
      } else if (!IsStandardNameUnit(c)) {
        standard = false;
      }
    }
    // An empty part between dots is standard too, so the dots alone need no check.
    if (standard || dots > 3) return name;
  }

  const std::u16string on_entry = name;
  try {
    if (dialect.doubles_quotes) name = DoubleEveryQuote(name);
    const std::u16string_view text = name;

    std::size_t dots = 0;
    for (const char16_t c : text) dots += c == u'.' ? 1 : 0;
    if (dots > 3) return on_entry;  // more than four parts

    // "dbo.order lines" -> "dbo" stays, "order lines" is quoted.
    std::u16string out;
    out.reserve(text.size() + 2 * (dots + 1));
    std::size_t begin = 0;
    for (;;) {
      const std::size_t dot = text.find(u'.', begin);
      const std::u16string_view part = text.substr(
          begin, dot == std::u16string_view::npos ? std::u16string_view::npos : dot - begin);
      if (IsNonStandardName(part)) {
        out.push_back(dialect.bound.open);
        out.append(part);
        out.push_back(dialect.bound.close);
      } else {
        out.append(part);
      }
      if (dot == std::u16string_view::npos) break;
      out.push_back(u'.');
      begin = dot + 1;
    }
    return out;
  } catch (const std::exception&) {
    ReportError(u"BoundBlunkName", 0, u"");
    return on_entry;
  }
}

// Positions inside a name are not limited to 16 bits here. A failure of this function is trapped
// and only gives the name back unchanged, so a 16-bit limit would quietly leave a long quoted
// name quoted; handling names of any length loses nothing.
std::u16string UnBoundBlunkName(std::int32_t VidSql, std::u16string_view name) {
  if (name.empty()) {
    ReportUnquoting(name);
    return {};
  }
  const SqlDialect dialect = DialectOf(VidSql);
  if (dialect.unbound.IsNothing()) return std::u16string(name);

  try {
    std::u16string work =
        dialect.doubles_quotes ? SingleEveryQuotePair(name) : std::u16string(name);
    // "dbo.[Order Lines]x" -> "Order Lines": what stands outside the quotes is dropped.
    const std::size_t open = work.find(dialect.unbound.open);
    if (open != std::u16string::npos) {
      const std::u16string_view inside = std::u16string_view(work).substr(open + 1);
      const std::size_t close = inside.rfind(dialect.unbound.close);
      if (close == std::u16string_view::npos) {
        ReportUnquoting(name);
        return std::u16string(name);
      }
      work = std::u16string(inside.substr(0, close));
    }
    for (char16_t& c : work) {
      if (c == SpaceMark) c = u' ';
    }
    return work;
  } catch (const std::exception&) {
    ReportUnquoting(name);
    return std::u16string(name);
  }
}

}  // namespace wheretree
