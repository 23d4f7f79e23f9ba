#include "cli/text_report.h"

namespace wheretree::cli {

std::string ReportLines(std::u16string_view text) {
  constexpr std::u16string_view kBreak = u"\r\n";
  if (text.substr(0, kBreak.size()) == kBreak) text.remove_prefix(kBreak.size());
  std::string out;
  for (;;) {
    const std::size_t end = text.find(kBreak);
    out += TerminalText(text.substr(0, end)) + "\n";
    if (end == std::u16string_view::npos) break;
    text.remove_prefix(end + kBreak.size());
  }
  return out;
}

std::string TextReport(const JobResult& result, const TreeView& tree, TreeStyle style) {
  std::string out = "Joins taken out of the WHERE text: ";
  if (result.connections.empty()) {
    out += "none\n";
  } else {
    out += std::to_string(result.connections.size()) + "\n" + ReportLines(result.ansi);
  }
  out += "\nRemaining WHERE text:";
  out += result.where.empty() ? " none\n" : "\n" + ReportLines(result.where);
  out += "\nCondition tree:\n" + DrawTree(tree, style);
  return out;
}

}  // namespace wheretree::cli
