#pragma once

#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "common/text.h"
#include "joins/c_connects.h"
#include "sqltext/report_error.h"

namespace wheretree::testing {

// Appends one connection per row "FROM_TABLE from_alias from_field TO_TABLE to_alias to_field
// [tp_con [con_con]]", "_" standing for an empty text. The texts are stored as written.
//   Fill(joins, {"ORDERS o CUST_ID CUSTOMERS c ID 1", "T1 t1 _ _ _ _"})
inline void Fill(c_connects& joins, const std::vector<std::string_view>& rows) {
  for (const auto row : rows) {
    std::vector<std::u16string> w;
    std::istringstream words{std::string(row)};
    for (std::string word; words >> word;) w.push_back(word == "_" ? u"" : FromUtf8(word));
    w.resize(8, u"0");
    const auto c = joins.Add();
    c->t_from(w[0]), c->t_from_ali(w[1]), c->p_from(w[2]);
    c->t_to(w[3]), c->t_to_ali(w[4]), c->p_to(w[5]);
    c->tp_con(std::stoi(Utf8(w[6]))), c->con_con(std::stoi(Utf8(w[7])));
  }
}

// Collects the sources of every ReportError call while it lives.
struct ReportLog {
  std::vector<std::u16string> sources;
  ReportLog() {
    SetReportSink([this](std::u16string_view source, auto, auto) { sources.emplace_back(source); });
  }
  ~ReportLog() { SetReportSink({}); }
};

}  // namespace wheretree::testing
