#pragma once

// The container services of the control, done with Qt: a property bag kept in QSettings, the
// critical message box, and the site that knows run mode, the window handle and repainting.
//
//   QSettings settings("acme", "query-builder");
//   QSettingsPropertyBag bag(settings);          // values under the group "WhereTreeViewControl"
//   control.WriteProperties(bag);                // "Indentation" 300 ->
//   WhereTreeViewControl/Indentation

#include <QPointer>
#include <QSettings>
#include <QWidget>
#include <functional>

#include "control/platform.h"

/// A property bag in QSettings, under one group. Numbers are stored as numbers; an image list is
/// stored as a subgroup with its name and entries (key, tag, picture and the 16x16 icon as PNG),
/// so a list whose icons were made in memory comes back with the same pictures.
class QSettingsPropertyBag : public wheretree::PropertyBag {
 public:
  explicit QSettingsPropertyBag(QSettings& settings,
                                QString group = QStringLiteral("WhereTreeViewControl"));

  wheretree::PropertyValue ReadProperty(std::u16string_view name,
                                        const wheretree::PropertyValue& default_value) override;
  void WriteProperty(std::u16string_view name, const wheretree::PropertyValue& value,
                     const wheretree::PropertyValue& default_value) override;

 private:
  QString keyOf(std::u16string_view name) const;

  QSettings& m_settings;
  QString m_group;
};

/// Shows the control's notices with QMessageBox, parented to a widget. A test (or a host that
/// reports elsewhere) installs a hook that receives the notice instead of the modal box.
class QtMessageBox : public wheretree::MessageBox {
 public:
  using Hook =
      std::function<void(const QString& text, const QString& title, wheretree::MessageIcon icon)>;

  explicit QtMessageBox(QWidget* parent = nullptr) : m_parent(parent) {}
  void Show(std::u16string_view text, std::u16string_view title,
            wheretree::MessageIcon icon) override;
  void setHook(Hook hook) { m_hook = std::move(hook); }

 private:
  QPointer<QWidget> m_parent;
  Hook m_hook;
};

/// The control's site in a Qt widget: run mode unless created for a form designer, the widget's
/// native window handle (0 while it has none; asking never creates one), and repainting.
class QtControlSite : public wheretree::ControlSite {
 public:
  explicit QtControlSite(bool user_mode) : m_userMode(user_mode) {}
  void setWidget(QWidget* widget) { m_widget = widget; }

  bool UserMode() const override { return m_userMode; }
  std::intptr_t WindowHandle() const override;
  void Repaint() override;

 private:
  bool m_userMode;
  QPointer<QWidget> m_widget;
};
