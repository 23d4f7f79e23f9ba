#include "where_text_generator.h"

#include <algorithm>

#include "common/text.h"

namespace wheretree::bench {
namespace {

std::u16string Alias(std::size_t table) {
  return u"t" + DecimalText(static_cast<std::int64_t>(table));
}

std::u16string Number(std::size_t n) {
  return DecimalText(static_cast<std::int64_t>(n));
}

}  // namespace

GeneratedWhere GenerateWhere(std::size_t conditions) {
  GeneratedWhere out;
  const std::size_t table_count = std::max<std::size_t>(2, conditions / 5);
  for (std::size_t t = 0; t < table_count; ++t) {
    out.tables +=
        u"<T>TABLE_" + Number(t) + u"<AA>" + Alias(t) + u"<AA><PP>ID,REF_ID,NAME,AMOUNT<PP><T>\r\n";
  }
  // Three in ten conditions are joins; the others cycle through the other kinds.
  for (std::size_t i = 0; i < conditions; ++i) {
    const std::u16string a = Alias(i % table_count);
    const std::u16string b = Alias((i + 1) % table_count);
    std::u16string c;
    switch (i % 10) {
      case 0:
        c = a + u".REF_ID = " + b + u".ID";
        break;
      case 1:
        c = a + u".AMOUNT > " + Number(i);
        break;
      case 2:
        c = a + u".NAME IN ('A" + Number(i) + u"', 'B', 'C')";
        break;
      case 3:
        c = a + u".NAME LIKE 'N" + Number(i) + u"%'";
        break;
      case 4:
        c = u"(" + a + u".AMOUNT < 5 Or " + a + u".NAME = 'x')";
        break;
      case 5:
        c = a + u".REF_ID = " + b + u".ID(+)";
        break;
      case 6:
        c = a + u".AMOUNT BETWEEN 1 AND " + Number(i);
        break;
      case 7:
        c = a + u".NAME <> 'Z'";
        break;
      case 8:
        c = u"(" + a + u".AMOUNT = 1 Or (" + a + u".AMOUNT = 2 And " + a + u".NAME = 'y'))";
        break;
      default:
        c = a + u".REF_ID(+) = " + b + u".ID";
        break;
    }
    if (i % 10 == 0 || i % 10 == 5 || i % 10 == 9) ++out.joins;
    if (i > 0) out.where += u" And ";
    out.where += c;
  }
  return out;
}

std::size_t LargestFitting(std::size_t limit) {
  std::size_t low = 1;
  std::size_t high = limit;  // every condition takes more than one character
  while (low < high) {
    const std::size_t mid = (low + high + 1) / 2;
    if (GenerateWhere(mid).where.size() <= limit) {
      low = mid;
    } else {
      high = mid - 1;
    }
  }
  return low;
}

}  // namespace wheretree::bench
