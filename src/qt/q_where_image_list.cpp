#include "qt/q_where_image_list.h"

#include <QFileInfo>
#include <QHash>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <unordered_set>

// The icons live in this static library's resources; naming them once pulls them into every
// program that links the library.
static void initIconResources() {
  static const bool done = [] {
    Q_INIT_RESOURCE(wheretree_icons);
    return true;
  }();
  Q_UNUSED(done);
}

namespace {

// Every living QWhereImageList, so a plain ImageList pointer can be recognised as one.
std::unordered_set<const wheretree::ImageList*>& registry() {
  static std::unordered_set<const wheretree::ImageList*> lists;
  return lists;
}

QIcon svgIcon(const QString& path) {
  QSvgRenderer renderer(path);
  if (!renderer.isValid()) return {};
  QIcon icon;
  for (const int size : {16, 32}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace

QWhereImageList::QWhereImageList(const QString& name) : ImageList(name.toStdU16String()) {
  registry().insert(this);
}

QWhereImageList::~QWhereImageList() {
  registry().erase(this);
}

std::shared_ptr<QWhereImageList> QWhereImageList::fromImageList(const wheretree::ImageList& list) {
  auto copy = std::make_shared<QWhereImageList>(QString::fromStdU16String(list.Name()));
  for (int i = 1; i <= list.Count(); ++i) {
    const auto& entry = list.Item(i);
    copy->addIcon(QString::fromStdU16String(entry.key), QString::fromStdU16String(entry.tag),
                  iconFor(list, i), QString::fromStdU16String(entry.picture));
  }
  return copy;
}

std::shared_ptr<QWhereImageList> QWhereImageList::makeBuiltIn() {
  return fromImageList(*wheretree::MakeImageListWhere());
}

void QWhereImageList::addIcon(const QString& key, const QString& tag, const QIcon& icon,
                              const QString& picture) {
  m_icons.resize(static_cast<std::size_t>(Count()));
  Add({key.toStdU16String(), tag.toStdU16String(), picture.toStdU16String()});
  m_icons.push_back(icon);
}

void QWhereImageList::addPicture(const QString& key, const QString& tag, const QString& picture) {
  addIcon(key, tag, pictureIcon(picture), picture);
}

QIcon QWhereImageList::icon(int index) const {
  if (index < 1 || index > Count()) return {};
  const auto slot = static_cast<std::size_t>(index - 1);
  if (slot < m_icons.size() && !m_icons[slot].isNull()) return m_icons[slot];
  return pictureIcon(QString::fromStdU16String(Item(index).picture));
}

QIcon QWhereImageList::iconFor(const wheretree::ImageList& list, int index) {
  if (const auto* own = from(&list)) return own->icon(index);
  if (index < 1 || index > list.Count()) return {};
  return pictureIcon(QString::fromStdU16String(list.Item(index).picture));
}

const QWhereImageList* QWhereImageList::from(const wheretree::ImageList* list) {
  return list != nullptr && registry().count(list) != 0 ? static_cast<const QWhereImageList*>(list)
                                                        : nullptr;
}

QIcon QWhereImageList::pictureIcon(const QString& picture) {
  if (picture.isEmpty()) return {};
  initIconResources();
  static QHash<QString, QIcon> cache;
  if (const auto it = cache.constFind(picture); it != cache.constEnd()) return *it;

  const QString shipped = QStringLiteral(":/wheretree/icons/") + picture;
  const QString path = QFileInfo::exists(shipped) ? shipped : picture;
  QIcon icon;
  if (path.endsWith(QLatin1String(".svg"), Qt::CaseInsensitive)) {
    icon = svgIcon(path);
  } else if (QFileInfo::exists(path)) {
    icon = QIcon(path);
  }
  cache.insert(picture, icon);
  return icon;
}
