#include "qt/qt_platform.h"

#include <QBuffer>
#include <QMessageBox>
#include <QPixmap>

#include "qt/q_where_image_list.h"

namespace {

QString fromU16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

bool sameList(const wheretree::PropertyValue& a, const wheretree::PropertyValue& b) {
  const auto* la = std::get_if<std::shared_ptr<wheretree::ImageList>>(&a);
  const auto* lb = std::get_if<std::shared_ptr<wheretree::ImageList>>(&b);
  return la != nullptr && lb != nullptr && *la == *lb;
}

QByteArray pngOf(const QIcon& icon) {
  if (icon.isNull()) return {};
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  icon.pixmap(16, 16).save(&buffer, "PNG");
  return png;
}

}  // namespace

// ---- QSettingsPropertyBag -----------------------------------------------------------------------

QSettingsPropertyBag::QSettingsPropertyBag(QSettings& settings, QString group)
    : m_settings(settings), m_group(std::move(group)) {}

QString QSettingsPropertyBag::keyOf(std::u16string_view name) const {
  return m_group.isEmpty() ? fromU16(name) : m_group + QLatin1Char('/') + fromU16(name);
}

wheretree::PropertyValue QSettingsPropertyBag::ReadProperty(
    std::u16string_view name, const wheretree::PropertyValue& default_value) {
  const QString key = keyOf(name);
  if (m_settings.value(key + QStringLiteral("/kind")).toString() == QLatin1String("imagelist")) {
    auto list = std::make_shared<QWhereImageList>(m_settings.value(key + "/name").toString());
    const int count = m_settings.beginReadArray(key + QStringLiteral("/entries"));
    for (int i = 0; i < count; ++i) {
      m_settings.setArrayIndex(i);
      const QString picture = m_settings.value(QStringLiteral("picture")).toString();
      QPixmap pixmap;
      const QByteArray png = m_settings.value(QStringLiteral("icon")).toByteArray();
      const QIcon icon = !png.isEmpty() && pixmap.loadFromData(png, "PNG")
                             ? QIcon(pixmap)
                             : QWhereImageList::pictureIcon(picture);
      list->addIcon(m_settings.value(QStringLiteral("key")).toString(),
                    m_settings.value(QStringLiteral("tag")).toString(), icon, picture);
    }
    m_settings.endArray();
    return std::shared_ptr<wheretree::ImageList>(std::move(list));
  }
  if (!m_settings.contains(key)) return default_value;

  // A stored value that is not a number comes back as nothing rather than as a silent 0, so
  // the reader reports it.
  const QVariant stored = m_settings.value(key);
  bool ok = false;
  if (std::holds_alternative<std::int32_t>(default_value)) {
    const int whole = stored.toInt(&ok);
    if (ok) return std::int32_t{whole};
  } else {
    const double number = stored.toDouble(&ok);
    if (ok) return number;
  }
  return std::monostate{};
}

void QSettingsPropertyBag::WriteProperty(std::u16string_view name,
                                         const wheretree::PropertyValue& value,
                                         const wheretree::PropertyValue& default_value) {
  const QString key = keyOf(name);
  m_settings.remove(key);
  if (value == default_value || sameList(value, default_value)) return;
  if (const auto* number = std::get_if<double>(&value)) {
    m_settings.setValue(key, *number);
  } else if (const auto* whole = std::get_if<std::int32_t>(&value)) {
    m_settings.setValue(key, *whole);
  } else if (const auto* list = std::get_if<std::shared_ptr<wheretree::ImageList>>(&value)) {
    if (!*list) return;
    m_settings.setValue(key + QStringLiteral("/kind"), QStringLiteral("imagelist"));
    m_settings.setValue(key + QStringLiteral("/name"), QString::fromStdU16String((*list)->Name()));
    m_settings.beginWriteArray(key + QStringLiteral("/entries"), (*list)->Count());
    for (int i = 1; i <= (*list)->Count(); ++i) {
      const auto& entry = (*list)->Item(i);
      m_settings.setArrayIndex(i - 1);
      m_settings.setValue(QStringLiteral("key"), QString::fromStdU16String(entry.key));
      m_settings.setValue(QStringLiteral("tag"), QString::fromStdU16String(entry.tag));
      m_settings.setValue(QStringLiteral("picture"), QString::fromStdU16String(entry.picture));
      // Icons made in memory have no picture to reload; their pixels are kept instead.
      if (entry.picture.empty()) {
        m_settings.setValue(QStringLiteral("icon"), pngOf(QWhereImageList::iconFor(**list, i)));
      }
    }
    m_settings.endArray();
  }
}

// ---- QtMessageBox -------------------------------------------------------------------------------

void QtMessageBox::Show(std::u16string_view text, std::u16string_view title,
                        wheretree::MessageIcon icon) {
  if (m_hook) {
    m_hook(fromU16(text), fromU16(title), icon);
    return;
  }
  switch (icon) {
    case wheretree::MessageIcon::critical:
      QMessageBox::critical(m_parent, fromU16(title), fromU16(text));
      break;
    case wheretree::MessageIcon::exclamation:
      QMessageBox::warning(m_parent, fromU16(title), fromU16(text));
      break;
    case wheretree::MessageIcon::information:
      QMessageBox::information(m_parent, fromU16(title), fromU16(text));
      break;
  }
}

// ---- QtControlSite ------------------------------------------------------------------------------

std::intptr_t QtControlSite::WindowHandle() const {
  return m_widget ? static_cast<std::intptr_t>(m_widget->effectiveWinId()) : 0;
}

void QtControlSite::Repaint() {
  ControlSite::Repaint();
  if (!m_widget) return;
  m_widget->update();
  for (auto* child : m_widget->findChildren<QWidget*>()) child->update();
}
