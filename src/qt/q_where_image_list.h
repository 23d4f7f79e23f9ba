#pragma once

// The Qt image list: the pictures of the condition tree as QIcons. It is a wheretree::ImageList,
// so the control can bind it like any other list, and it carries a real icon per entry.
//
//   auto list = QWhereImageList::makeBuiltIn();     // the seven pictures of ImageListWhere
//   list->icon(2)                                   // -> the "LevelAnd" icon
//   auto own = std::make_shared<QWhereImageList>(QStringLiteral("Mine"));
//   own->addIcon(QStringLiteral("LevelBegin"), QStringLiteral("-1"), QIcon(":/my/begin.png"));

#include <QIcon>
#include <QString>
#include <memory>
#include <vector>

#include "control/image_list.h"

class QWhereImageList : public wheretree::ImageList {
 public:
  explicit QWhereImageList(const QString& name = QString());
  ~QWhereImageList();
  QWhereImageList(const QWhereImageList&) = delete;
  QWhereImageList& operator=(const QWhereImageList&) = delete;

  /// A list with the entries of `list`; each icon is the entry's picture (see pictureIcon), or,
  /// when `list` is itself a QWhereImageList, its icon.
  static std::shared_ptr<QWhereImageList> fromImageList(const wheretree::ImageList& list);
  /// The built-in list ImageListWhere with its seven shipped pictures.
  static std::shared_ptr<QWhereImageList> makeBuiltIn();

  /// Appends an entry with an icon; `picture` names where the icon came from ("" when it was
  /// made in memory).
  void addIcon(const QString& key, const QString& tag, const QIcon& icon,
               const QString& picture = QString());
  /// Appends an entry whose icon is loaded from `picture` (see pictureIcon).
  void addPicture(const QString& key, const QString& tag, const QString& picture);

  /// The icon of the 1-based entry `index`; a null icon outside 1..Count().
  QIcon icon(int index) const;

  /// The icon of entry `index` of any image list: the list's own icon when it is a
  /// QWhereImageList, else its picture. A null icon when there is no such entry.
  static QIcon iconFor(const wheretree::ImageList& list, int index);
  /// The QWhereImageList behind `list`, or nullptr when `list` is a plain headless list.
  static const QWhereImageList* from(const wheretree::ImageList* list);

  /// Loads a picture: a shipped name ("level_and.svg") from the icon resources, otherwise a file
  /// path. SVG pictures are drawn at 16x16 and 32x32. A null icon when nothing can be read.
  ///   pictureIcon("level_or.svg").isNull() == false
  static QIcon pictureIcon(const QString& picture);

 private:
  std::vector<QIcon> m_icons;  // parallel to the entries; entries added through the base
                               // class alone fall back to their picture
};
