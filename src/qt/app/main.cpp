// wheretree-gui: edit a SQL WHERE clause as a logical tree and get its joins written out.
#include <QApplication>
#include <QSettings>

#include "qt/app/main_window.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("wheretree"));
  QApplication::setApplicationName(QStringLiteral("wheretree-gui"));
  QApplication::setApplicationVersion(QStringLiteral(WHERETREE_VERSION));
  QApplication::setDesktopFileName(QStringLiteral("wheretree-gui"));
  QSettings settings;
  MainWindow window(settings);
  window.show();
  return QApplication::exec();
}
