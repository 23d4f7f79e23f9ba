// A host built against an installed wheretree: loads a WHERE text with its table list and checks
// that the join left the tree.
#include <wheretree/wheretree.h>

#include <iostream>

int main() {
  wheretree::WhereTreeViewControl control;
  std::u16string where = u"e.dept_id = d.id(+) And e.sal > 100";
  const std::u16string tables =
      u"<T>EMP<AA>e<AA><PP>dept_id,sal<PP><T><T>DEPT<AA>d<AA><PP>id<PP><T>";
  const std::u16string aml = control.LoadWhereString(where, tables);
  wheretree::c_connects joins;
  std::u16string read = aml;
  joins.LoadAmlString(read);
  const std::string ansi = wheretree::ToUtf8(joins.CreJoinAnsi());
  const std::string rest = wheretree::ToUtf8(control.CreateWhereString(0));
  std::cout << ansi << '\n' << rest << '\n';
  return ansi == "  FROM EMP e LEFT OUTER JOIN DEPT d ON e.dept_id = d.id" &&
                 rest == "\r\ne.sal > 100"
             ? 0
             : 1;
}
