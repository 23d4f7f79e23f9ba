#include "catalogue/c_alias.h"

#include <utility>

namespace wheretree {

cAlias::cAlias(std::u16string key, std::shared_ptr<ChangeSignal> signal)
    : key_(std::move(key)), signal_(std::move(signal)) {}

void cAlias::Key(std::u16string key) {
  key_ = std::move(key);
  if (signal_) signal_->Raise();
}

cAliases::cAliases(std::shared_ptr<ChangeSignal> signal) : signal_(std::move(signal)) {}

std::shared_ptr<cAlias> cAliases::Add(const std::u16string& Key) {
  auto alias = std::make_shared<cAlias>(Key, signal_);
  aliases_.Add(alias, Key);
  if (signal_) signal_->Raise();
  return alias;
}

void cAliases::Remove(std::int32_t position) {
  aliases_.Remove(position);
  if (signal_) signal_->Raise();
}

void cAliases::Remove(std::u16string_view key) {
  aliases_.Remove(key);
  if (signal_) signal_->Raise();
}

}  // namespace wheretree
