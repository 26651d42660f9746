#include "qt_test_support.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace qx::ui::qt::testing {
namespace {

// One application for every test; the platform is "offscreen" (set by the test runner).
class QtApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    static int argc = 1;
    static char name[] = "ui_qt_tests";
    static char* argv[] = {name, nullptr};
    app_ = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
  }
  void TearDown() override {
    delete app_;
    app_ = nullptr;
  }

 private:
  QApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

}  // namespace

void TypeText(QWidget* widget, const QString& text) {
  for (char32_t ch : text.toUcs4()) {
    const QString one = QString::fromUcs4(&ch, 1);
    QTest::sendKeyEvent(QTest::Press, widget, Qt::Key_unknown, one, Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Release, widget, Qt::Key_unknown, one, Qt::NoModifier);
  }
}

bool ShowActive(FormDialog& dialog) {
  dialog.show();
  dialog.activateWindow();
  return QTest::qWaitForWindowActive(&dialog);
}

}  // namespace qx::ui::qt::testing
