// What the program sets up once, before its first window: Portuguese for Qt's own texts
// (buttons, file dialogs, context menus) whatever the system's language, the window icon,
// and the look of the hover help.
#pragma once

class QApplication;
class QCoreApplication;

namespace qx::ui::qt {

// Installs Qt's Brazilian Portuguese translations; false when they are not installed (the
// program then still works, with Qt's own English words in its dialogs).
bool LoadPortugueseTranslations(QCoreApplication& app);

void SetUpApplication(QApplication& app);

}  // namespace qx::ui::qt
