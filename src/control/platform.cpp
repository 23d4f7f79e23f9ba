#include "control/platform.h"

#include <iostream>

#include "common/text.h"

namespace wheretree {

PropertyValue MemoryPropertyBag::ReadProperty(std::u16string_view name,
                                              const PropertyValue& default_value) {
  const auto it = values_.find(name);
  return it == values_.end() ? default_value : it->second;
}

void MemoryPropertyBag::WriteProperty(std::u16string_view name, const PropertyValue& value,
                                      const PropertyValue& default_value) {
  if (value == default_value) {
    if (const auto it = values_.find(name); it != values_.end()) values_.erase(it);
    return;
  }
  values_.insert_or_assign(std::u16string(name), value);
}

std::optional<PropertyValue> MemoryPropertyBag::Stored(std::u16string_view name) const {
  const auto it = values_.find(name);
  if (it == values_.end()) return std::nullopt;
  return it->second;
}

void HeadlessMessageBox::Show(std::u16string_view text, std::u16string_view title,
                              MessageIcon icon) {
  last_ = Notice{std::u16string(text), std::u16string(title), icon};
  ++count_;
  std::cerr << ToUtf8(title) << ": " << ToUtf8(text) << '\n';
}

}  // namespace wheretree
