#include "control/image_list.h"

namespace wheretree {

std::shared_ptr<ImageList> MakeImageListWhere() {
  return std::make_shared<ImageList>(u"ImageListWhere",
                                     std::vector<ImageListEntry>{
                                         {u"LevelBegin", u"-1", u"level_begin.svg"},
                                         {u"LevelAnd", u"-1", u"level_and.svg"},
                                         {u"LevelOr", u"-1", u"level_or.svg"},
                                         {u"simpleAnd", u"", u"simple_and.svg"},
                                         {u"simpleOr", u"", u"simple_or.svg"},
                                         {u"LevelWhere", u"-1", u"level_where.svg"},
                                         {u"Begin", u"", u"begin.svg"},
                                     });
}

}  // namespace wheretree
