#include "qt_test_support.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>

#include "common/cp1252.h"

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

QString FromWindows1252(const std::string& bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// Labels and help texts are wrapped to fit their places: compare them without line breaks
// and blanks.
QString Squeezed(QString text) {
  static const QRegularExpression blanks(QStringLiteral("\\s"));
  return text.remove(blanks);
}

const char* WidgetClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kDefaultPushButton:
      return "QPushButton";
    case ControlKind::kCheckBox:
      return "QCheckBox";
    case ControlKind::kEdit:
      return "QLineEdit";
    case ControlKind::kGroupBox:
      return "QGroupBox";
    default:
      return "QLabel";
  }
}

}  // namespace

void ExpectDialogShowsTemplate(const FormDialog& dialog, const FormTemplate& form) {
  EXPECT_TRUE(dialog.rect().isValid());
  for (const ControlTemplate& c : form.controls) {
    if (c.id < 0) continue;
    SCOPED_TRACE(c.id);
    QWidget* w = Ctl<QWidget>(dialog, c.id);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), WidgetClassFor(c.kind));
    EXPECT_TRUE(dialog.rect().contains(w->geometry()));
    EXPECT_EQ(Squeezed(w->toolTip()), Squeezed(FromWindows1252(c.help)));
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      EXPECT_EQ(Squeezed(button->text()), Squeezed(FromWindows1252(c.label)));
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      EXPECT_EQ(edit->maxLength(), c.max_length > 0 ? c.max_length : 32767);
      if (c.buddy >= 0) {
        auto* label = Ctl<QLabel>(dialog, c.buddy);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(Squeezed(label->text()), Squeezed(FromWindows1252(form.Find(c.buddy)->label)));
        EXPECT_EQ(label->buddy(), edit);
      }
    }
  }
}

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
