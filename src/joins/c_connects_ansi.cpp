// Writing the connection collection as ANSI joins. Every connection is removed as it is written.
//
// The chain of one join expression grows one table at a time. Instead of rescanning every
// connection for each table added, an index maps each alias to the connections that mention it
// (in collection order), so a step only looks at the connections of the alias just added. The
// observable order stays the collection's: the next connection to join is the lowest position
// mentioning the earliest chain alias, and the conditions of one ON come in descending position.

#include <algorithm>
#include <functional>
#include <string_view>
#include <unordered_map>

#include "joins/c_connects.h"
#include "joins/connection_codes.h"

namespace wheretree {
namespace {

using ConnectionList = std::vector<std::shared_ptr<c_connect>>;

constexpr std::u16string_view kListSeparator = u", ";
constexpr std::u16string_view kConditionSeparator = u" AND ";

// Drops the connections flagged as written when the writer ends, normally or by an exception,
// so that what was written before a failure stays removed and the rest keeps its order.
class RemoveWrittenOnExit {
 public:
  RemoveWrittenOnExit(ConnectionList& list, const std::vector<char>& written)
      : list_(list), written_(written) {}
  RemoveWrittenOnExit(const RemoveWrittenOnExit&) = delete;
  RemoveWrittenOnExit& operator=(const RemoveWrittenOnExit&) = delete;
  ~RemoveWrittenOnExit() {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < list_.size(); ++i) {
      if (!written_[i]) list_[kept++] = std::move(list_[i]);
    }
    list_.resize(kept);
  }

 private:
  ConnectionList& list_;
  const std::vector<char>& written_;
};

// The connections that still have to be joined, indexed by alias, and the chain of aliases of
// the join expression being built. Connections are named by their 0-based place in the list at
// the start of the call; their order is the order of their positions throughout.
class JoinChain {
 public:
  JoinChain(const ConnectionList& list, std::vector<char>& written)
      : list_(list), written_(written) {
    from_alias_.assign(list.size(), -1);
    to_alias_.assign(list.size(), -1);
    for (std::size_t i = 0; i < list.size(); ++i) {
      if (written_[i]) continue;
      const auto from = Intern(list[i]->t_from_ali());
      const auto to = Intern(list[i]->t_to_ali());
      from_alias_[i] = from;
      to_alias_[i] = to;
      aliases_[from].mentions.push_back(i);
      if (to != from) aliases_[to].mentions.push_back(i);
    }
  }

  // The first connection not yet written, or list size when all are.
  std::size_t FirstLeft() {
    while (first_left_ < list_.size() && written_[first_left_]) ++first_left_;
    return first_left_;
  }

  // Starts a new chain with the from-table of connection `first`.
  void Start(std::size_t first) {
    for (const auto alias : chain_) aliases_[alias].in_chain = 0;
    chain_.clear();
    cursor_ = 0;
    AddAlias(from_alias_[first]);
  }

  // Adds the table that signed index `k` brings in (to side for k > 0, from side for k < 0)
  // and appends to `body` every condition whose two tables are now both in the chain,
  // "t_from_ali.p_from <op> t_to_ali.p_to AND " each, highest position first.
  void JoinAndWriteConditions(std::int64_t k, std::u16string& body) {
    const auto index = static_cast<std::size_t>((k > 0 ? k : -k) - 1);
    const auto added = k > 0 ? to_alias_[index] : from_alias_[index];
    const bool first_step = chain_.size() == 1;
    AddAlias(added);

    // Only connections of the alias just added can have reached two matches; on the first
    // step of a chain, those of its first alias too (an alias may match on both sides).
    candidates_.clear();
    CollectQualifying(added);
    if (first_step && chain_.front() != added) CollectQualifying(chain_.front());
    std::sort(candidates_.begin(), candidates_.end(), std::greater<>());
    candidates_.erase(std::unique(candidates_.begin(), candidates_.end()), candidates_.end());

    for (const auto j : candidates_) {
      const c_connect& c = *list_[j];
      body.append(c.t_from_ali()).append(1, u'.').append(c.p_from());
      body.append(TypeCondText(c.con_con()));
      body.append(c.t_to_ali()).append(1, u'.').append(c.p_to());
      body.append(kConditionSeparator);
      written_[j] = 1;
    }
  }

  // Signed index (1-based) of the next connection to join: the lowest position that mentions
  // the earliest chain alias that any connection left still mentions; +j when it mentions the
  // alias on its from side, -j when only on its to side; 0 when no connection left is linked.
  std::int64_t NextJoinIndex() {
    for (; cursor_ < chain_.size(); ++cursor_) {
      const auto alias = chain_[cursor_];
      auto& entry = aliases_[alias];
      while (entry.head < entry.mentions.size() && written_[entry.mentions[entry.head]]) {
        ++entry.head;
      }
      if (entry.head < entry.mentions.size()) {
        const auto j = entry.mentions[entry.head];
        const auto position = static_cast<std::int64_t>(j) + 1;
        return from_alias_[j] == alias ? position : -position;
      }
      // Connections are only ever removed here, so an alias without any stays without.
    }
    return 0;
  }

 private:
  struct Alias {
    std::vector<std::size_t> mentions;  // connections naming the alias, ascending
    std::size_t head = 0;               // mentions before head are all written
    std::int32_t in_chain = 0;          // how many chain entries equal the alias
  };

  std::int32_t Intern(std::u16string_view alias) {
    const auto [it, inserted] =
        alias_ids_.try_emplace(alias, static_cast<std::int32_t>(aliases_.size()));
    if (inserted) aliases_.emplace_back();
    return it->second;
  }

  void AddAlias(std::int32_t alias) {
    chain_.push_back(alias);
    ++aliases_[alias].in_chain;
  }

  // A connection qualifies when the chain entries equal to its from alias plus those equal to
  // its to alias number two or more (an alias on both sides counts twice).
  void CollectQualifying(std::int32_t alias) {
    for (const auto j : aliases_[alias].mentions) {
      if (written_[j]) continue;
      if (aliases_[from_alias_[j]].in_chain + aliases_[to_alias_[j]].in_chain >= 2) {
        candidates_.push_back(j);
      }
    }
  }

  const ConnectionList& list_;
  std::vector<char>& written_;
  std::unordered_map<std::u16string_view, std::int32_t> alias_ids_;
  std::vector<Alias> aliases_;
  std::vector<std::int32_t> from_alias_;
  std::vector<std::int32_t> to_alias_;
  std::vector<std::int32_t> chain_;
  std::size_t cursor_ = 0;  // chain entries before it have no connection left
  std::size_t first_left_ = 0;
  std::vector<std::size_t> candidates_;
};

}  // namespace

std::u16string c_connects::CreJoinAnsi(bool FlFrom) {
  std::vector<char> written(connections_.size(), 0);
  const RemoveWrittenOnExit remove_written(connections_, written);

  // Tables without a join (no from-field) come first, walked from the last position down.
  std::u16string table_list;
  for (std::size_t i = connections_.size(); i-- > 0;) {
    if (!connections_[i]->p_from().empty()) continue;
    table_list.append(connections_[i]->TblFromPlusAlias()).append(kListSeparator);
    written[i] = 1;
  }
  if (table_list.size() < 3) {
    table_list.clear();
  } else {
    table_list.resize(table_list.size() - kListSeparator.size());
  }

  // One join expression per group of linked tables, each table adding a level of parentheses:
  // ((A a INNER JOIN B b ON ...) LEFT OUTER JOIN C c ON ...) ... ; the outermost pair is dropped.
  JoinChain chain(connections_, written);
  for (auto first = chain.FirstLeft(); first < connections_.size(); first = chain.FirstLeft()) {
    chain.Start(first);
    std::u16string body = connections_[first]->TblFromPlusAlias();
    std::size_t levels = 0;
    for (std::int64_t k = static_cast<std::int64_t>(first) + 1; k != 0; k = chain.NextJoinIndex()) {
      const c_connect& c = *connections_[static_cast<std::size_t>((k > 0 ? k : -k) - 1)];
      // Entering a connection from its to side mirrors left and right. The product is taken
      // in 64 bits, so a code that cannot be negated in 32 bits is written as an unknown type
      // instead of failing.
      const std::int64_t sign = k > 0 ? 1 : -1;
      body.append(TypeJoinText(c.tp_con() * sign));
      body.append(c.TblPlusAlias(static_cast<std::int32_t>(sign)));
      body.append(u" ON ");
      chain.JoinAndWriteConditions(k, body);
      body.resize(body.size() - kConditionSeparator.size());
      body.append(1, u')');
      ++levels;
    }
    table_list.append(kListSeparator);
    table_list.append(levels - 1, u'(');
    table_list.append(body, 0, body.size() - 1);
  }

  if (table_list.size() > 2) {
    if (table_list.starts_with(kListSeparator)) table_list.erase(0, kListSeparator.size());
    if (table_list.ends_with(kListSeparator)) {
      table_list.resize(table_list.size() - kListSeparator.size());
    }
  }
  if (!FlFrom) table_list.insert(0, u"  FROM ");
  return table_list;
}

}  // namespace wheretree
