#include "ui/qt/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QPalette>
#include <QToolTip>
#include <QTranslator>

#include "ui/qt/artwork.h"
#include "ui/qt/form_dialog.h"

namespace qx::ui::qt {

bool LoadPortugueseTranslations(QCoreApplication& app) {
  auto* translator = new QTranslator(&app);
  if (!translator->load(QStringLiteral("qtbase_pt_BR"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    delete translator;
    return false;
  }
  QCoreApplication::installTranslator(translator);
  return true;
}

void SetUpApplication(QApplication& app) {
  QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
  LoadPortugueseTranslations(app);
  QApplication::setWindowIcon(AppIcon());
  // Forms end through their presenters; hiding the last one must not end the program early.
  QApplication::setQuitOnLastWindowClosed(false);

  // Hover help in the pale yellow of a balloon tip.
  QPalette tips = QToolTip::palette();
  tips.setColor(QPalette::ToolTipBase, QColor(0xff, 0xff, 0xe1));
  tips.setColor(QPalette::ToolTipText, Qt::black);
  QToolTip::setPalette(tips);
  QToolTip::setFont(FormFont());
}

}  // namespace qx::ui::qt
