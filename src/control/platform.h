#pragma once

// The services a host container gives the control, as small interfaces with headless defaults.
// A GUI front end supplies real ones (a settings-backed property bag, a modal message box...).

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <variant>

#include "control/image_list.h"

namespace wheretree {

/// A persisted property value: a number (Indentation), a whole number (LabelEdit) or an image
/// list (ImageList); monostate stands for "nothing".
using PropertyValue =
    std::variant<std::monostate, double, std::int32_t, std::shared_ptr<ImageList>>;

/// Reads and writes named values, each with a default. Writing a value equal to its default
/// stores nothing (and forgets an earlier value), so a bag holds only what differs.
class PropertyBag {
 public:
  virtual ~PropertyBag() = default;
  virtual PropertyValue ReadProperty(std::u16string_view name,
                                     const PropertyValue& default_value) = 0;
  virtual void WriteProperty(std::u16string_view name, const PropertyValue& value,
                             const PropertyValue& default_value) = 0;
};

/// An in-memory property bag, for tests and hosts that persist elsewhere.
class MemoryPropertyBag : public PropertyBag {
 public:
  PropertyValue ReadProperty(std::u16string_view name, const PropertyValue& default_value) override;
  void WriteProperty(std::u16string_view name, const PropertyValue& value,
                     const PropertyValue& default_value) override;
  /// The stored value, or nothing when the bag holds none under `name`.
  std::optional<PropertyValue> Stored(std::u16string_view name) const;

 private:
  std::map<std::u16string, PropertyValue, std::less<>> values_;
};

/// The icon a notice is shown with.
enum class MessageIcon { critical, exclamation, information };

/// A modal notice to the user.
class MessageBox {
 public:
  virtual ~MessageBox() = default;
  virtual void Show(std::u16string_view text, std::u16string_view title, MessageIcon icon) = 0;
};

/// The headless message box: keeps the last notice and writes it to stderr.
class HeadlessMessageBox : public MessageBox {
 public:
  struct Notice {
    std::u16string text;
    std::u16string title;
    MessageIcon icon;
  };
  void Show(std::u16string_view text, std::u16string_view title, MessageIcon icon) override;
  const std::optional<Notice>& Last() const noexcept { return last_; }
  int Count() const noexcept { return count_; }

 private:
  std::optional<Notice> last_;
  int count_ = 0;
};

/// What the container tells and does for the control: the ambient run mode, the window handle
/// and repainting. The headless default runs in user mode, has window handle 0 and repaints by
/// counting.
class ControlSite {
 public:
  virtual ~ControlSite() = default;
  /// True when the host runs (user mode); false while a designer edits the form.
  virtual bool UserMode() const { return true; }
  virtual std::intptr_t WindowHandle() const { return 0; }
  virtual void Repaint() { ++repaints_; }
  int Repaints() const noexcept { return repaints_; }

 private:
  int repaints_ = 0;
};

}  // namespace wheretree
