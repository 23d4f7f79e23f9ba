#include "cli/table_option.h"

#include <algorithm>
#include <array>
#include <optional>

#include "catalogue/aml.h"
#include "cli/exit_status.h"
#include "common/error.h"
#include "common/text.h"

namespace wheretree::cli {
namespace {

struct TableParts {
  std::u16string name;
  std::u16string aliases;
  std::u16string fields;
};

// "EMP:e,m:id,dept_id" -> {EMP, "e,m", "id,dept_id"}; the reason in `problem` when it is unusable.
std::optional<TableParts> SplitOption(std::string_view value, std::string& problem) {
  const auto colons = std::count(value.begin(), value.end(), ':');
  if (colons != 2) {
    problem = "expected NAME:ALIASES:FIELDS (two colons), found " + std::to_string(colons) +
              (colons == 1 ? " colon" : " colons");
    return std::nullopt;
  }
  std::u16string text;
  try {
    text = FromUtf8(value);
  } catch (const Error& error) {
    problem = error.Message();
    return std::nullopt;
  }
  const std::size_t first = text.find(u':');
  const std::size_t second = text.find(u':', first + 1);
  TableParts parts{text.substr(0, first), text.substr(first + 1, second - first - 1),
                   text.substr(second + 1)};
  if (parts.name.empty()) {
    problem = "the table name before the first colon is empty";
    return std::nullopt;
  }
  // A tag inside a value would end it early when the list is read, so such text cannot be
  // carried; say so instead of handing over a list that reads back differently.
  static constexpr std::array<std::u16string_view, 3> kTags = {u"<T>", u"<AA>", u"<PP>"};
  for (const std::u16string* part : {&parts.name, &parts.aliases, &parts.fields}) {
    for (const std::u16string_view tag : kTags) {
      if (FindIgnoreCase(*part, tag) != std::u16string::npos) {
        problem = "\"" + ToUtf8(*part) + "\" contains the AML tag " + ToUtf8(tag) +
                  ", which cannot stand inside a value";
        return std::nullopt;
      }
    }
  }
  return parts;
}

}  // namespace

std::string CheckTableOption(std::string_view value) {
  std::string problem;
  SplitOption(value, problem);
  return problem;
}

std::u16string TableBlockFromOption(std::string_view value) {
  std::string problem;
  const std::optional<TableParts> parts = SplitOption(value, problem);
  if (!parts) throw Failure::Usage("--table \"" + std::string(value) + "\": " + problem);
  const std::u16string inner = parts->name + CreateAmlTag(u"AA", parts->aliases, true) +
                               CreateAmlTag(u"PP", parts->fields, true);
  return CreateAmlTag(u"T", inner, true);
}

}  // namespace wheretree::cli
