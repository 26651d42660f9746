// The generic dialog: what it builds from a template and what it tells the presenter.
#include "ui/qt/form_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/qt/help_text.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;
using testing::RecordingPresenter;

ControlTemplate Control(int id, ControlKind kind, std::string label, int x, int y, int w, int h) {
  ControlTemplate c;
  c.id = id;
  c.kind = kind;
  c.label = std::move(label);
  c.x = x;
  c.y = y;
  c.width = w;
  c.height = h;
  return c;
}

// A form with one control of every kind, laid out like a resource template.
FormTemplate SampleForm() {
  using K = ControlKind;
  FormTemplate f;
  f.name = "Sample";
  f.title = Win1252("AMOSTRA");
  f.width = 300;
  f.height = 180;
  ControlTemplate open =
      Control(1000, K::kDefaultPushButton, "NOVO\nABRE arquivo", 10, 140, 80, 28);
  open.help = Win1252(
      " Permite abrir o arquivo que tem a \n programação salva ou criar um arquivo \n com novos "
      "parâmetros.");
  ControlTemplate save = Control(1001, K::kPushButton, "SALVAR arquivo", 100, 140, 80, 20);
  ControlTemplate fixed =
      Control(1048, K::kCheckBox, Win1252("Preço programado (fixo) ?"), 10, 10, 150, 12);
  fixed.help = Win1252(" Marque se o preço deve ser lido da tabela.");
  ControlTemplate name = Control(1052, K::kEdit, "NOME DO DEPARTAMENTO", 120, 30, 80, 12);
  name.max_length = 12;
  name.help = Win1252(" Informe o nome do departamento até 12 caracteres.");
  ControlTemplate price = Control(1005, K::kEdit, Win1252("PREÇO:"), 120, 50, 60, 12);
  price.max_length = 7;
  price.digits_only = true;
  f.controls = {
      Control(-1, K::kGroupBox, "Grupo", 5, 2, 290, 70),
      fixed,
      name,
      price,
      Control(-1, K::kStaticText, "Nota:\nsegunda linha", 10, 80, 120, 20),
      Control(-1, K::kCenteredText, Win1252("Versão"), 140, 80, 100, 10),
      Control(-1, K::kPicture, "", 220, 100, 60, 40),
      open,
      save,
      Control(kIdOk, K::kDefaultPushButton, "OK", 190, 160, 50, 14),
      Control(kIdCancel, K::kPushButton, "Cancel", 245, 160, 50, 14),
  };
  return f;
}

class FormDialogTest : public ::testing::Test {
 protected:
  RecordingPresenter presenter{SampleForm()};
};

TEST_F(FormDialogTest, BuildsEveryControlWithItsIdKindLabelAndHelp) {
  FormDialog dialog(presenter);
  EXPECT_EQ(dialog.objectName(), QStringLiteral("Sample"));
  EXPECT_FALSE(dialog.windowIcon().isNull());
  EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
  testing::ExpectDialogShowsTemplate(dialog, SampleForm());
  for (int id : {1000, 1001, 1048, 1052, 1005, kIdOk, kIdCancel})
    EXPECT_EQ(dialog.Control(id), Ctl<QWidget>(dialog, id)) << id;
  // Help texts are balloons that stay thirty seconds.
  EXPECT_EQ(Ctl<QWidget>(dialog, 1000)->toolTipDuration(), 30000);
  EXPECT_EQ(dialog.findChild<QGroupBox*>(QStringLiteral("static0"))->title(),
            QStringLiteral("Grupo"));
  auto* note = dialog.findChild<QLabel*>(QStringLiteral("static4"));
  ASSERT_NE(note, nullptr);
  EXPECT_EQ(note->text(), QStringLiteral("Nota:\nsegunda linha"));
  auto* centred = dialog.findChild<QLabel*>(QStringLiteral("static5"));
  EXPECT_EQ(centred->text(), QStringLiteral("Versão"));
  EXPECT_TRUE(centred->alignment() & Qt::AlignHCenter);
  auto* picture = dialog.findChild<QLabel*>(QStringLiteral("static6"));
  ASSERT_NE(picture, nullptr);
  EXPECT_FALSE(picture->pixmap().isNull());
  // An edit's label is shown beside it and names it.
  auto* label = dialog.findChild<QLabel*>(QStringLiteral("label1052"));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QStringLiteral("NOME DO DEPARTAMENTO"));
  EXPECT_EQ(label->buddy(), Ctl<QLineEdit>(dialog, 1052));
}

TEST_F(FormDialogTest, PlacesControlsInDialogUnitsOfTheTemplateFont) {
  FormDialog dialog(presenter);
  const DialogUnits u = DialogUnitsFor(10);
  EXPECT_DOUBLE_EQ(u.x, 1.75);
  EXPECT_DOUBLE_EQ(u.y, 2.0);
  EXPECT_EQ(dialog.size(), QSize(525, 360));
  EXPECT_EQ(Ctl<QWidget>(dialog, 1001)->geometry(), QRect(175, 280, 140, 40));
  // The 8-point font of the largest form gives smaller units.
  EXPECT_DOUBLE_EQ(DialogUnitsFor(8).x, 1.5);
  EXPECT_DOUBLE_EQ(DialogUnitsFor(8).y, 1.625);
  // Every edit fits inside the form.
  for (int id : {1052, 1005})
    EXPECT_TRUE(dialog.rect().contains(Ctl<QWidget>(dialog, id)->geometry()));
}

// The text contract through real edits, on its key cases (the driver's tables hold the rest):
// limits, the character rule as typed and as pasted, a stored text that stays editable,
// Windows-1252 at the view, and checks and enabled states.
TEST_F(FormDialogTest, RealEditsKeepTheTextContract) {
  FormDialog dialog(presenter);
  ASSERT_TRUE(testing::ShowActive(dialog));
  FormView& view = dialog.view();
  auto* name = Ctl<QLineEdit>(dialog, 1052);
  auto* price = Ctl<QLineEdit>(dialog, 1005);
  EXPECT_EQ(name->maxLength(), 12);
  testing::TypeText(price, QStringLiteral("12a,3 4.5-67890"));  // the eighth digit is cut
  EXPECT_EQ(price->text(), QStringLiteral("1234567"));
  testing::TypeText(name, QStringLiteral("CAFÉ€Ł Ω\U0001F600X"));
  EXPECT_EQ(name->text(), QStringLiteral("CAFÉ€ X"));
  EXPECT_EQ(view.GetText(1052, 3), "CAF");
  name->clear();
  name->insert(QStringLiteral("LOJA Ł"));  // refused whole, never stored changed
  EXPECT_EQ(name->text(), QString());

  view.SetText(1052, "X\x81Y");
  EXPECT_EQ(name->text(), QStringLiteral("X") + QChar(0x81) + QStringLiteral("Y"));
  EXPECT_EQ(view.GetText(1052, 100), "X\x81Y");
  name->setFocus();
  name->end(false);
  testing::TypeText(name, QStringLiteral("7"));
  QTest::keyClick(name, Qt::Key_Backspace);
  QTest::keyClick(name, Qt::Key_Backspace);
  EXPECT_EQ(view.GetText(1052, 100), "X\x81");

  view.SetText(1001, "SALVAR\nagora");
  EXPECT_EQ(Ctl<QPushButton>(dialog, 1001)->text(), QStringLiteral("SALVAR\nagora"));
  view.SetTitle("QX-4810  PROGRAMA\xC7\xC3O");
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("QX-4810  PROGRAMAÇÃO"));
  view.SetCheck(1048, true);
  Ctl<QCheckBox>(dialog, 1048)->click();
  EXPECT_FALSE(view.GetCheck(1048));
  view.SetEnabled(1001, false);
  EXPECT_FALSE(Ctl<QWidget>(dialog, 1001)->isEnabled());
}

TEST(HelpTextWrap, LinesWiderThanTheLimitBreakAtBlanksKeepingTheIndent) {
  const QFontMetrics metrics(QToolTip::font());
  const QString word = QStringLiteral("palavra");
  QString line = QStringLiteral("  ");
  for (int i = 0; i < 60; ++i) line += word + QLatin1Char(' ');
  const QString wrapped = WrapToWidth(line + QStringLiteral("\n curta"), metrics, 400);
  const QStringList lines = wrapped.split(QLatin1Char('\n'));
  ASSERT_GT(lines.size(), 2);
  EXPECT_TRUE(lines.front().startsWith(QStringLiteral("  palavra")));
  EXPECT_EQ(lines.back(), QStringLiteral(" curta"));
  for (const QString& l : lines) EXPECT_LE(metrics.horizontalAdvance(l), 400) << l.toStdString();
  // Nothing but the break blanks is lost.
  EXPECT_EQ(wrapped.count(word), 60);
  // A word longer than the limit is broken inside; short text is left alone.
  const QString long_word(200, QLatin1Char('W'));
  for (const QString& l : WrapToWidth(long_word, metrics, 400).split(QLatin1Char('\n')))
    EXPECT_LE(metrics.horizontalAdvance(l), 400);
  EXPECT_EQ(WrapToWidth(long_word, metrics, 400).remove(QLatin1Char('\n')), long_word);
  EXPECT_EQ(WrapToWidth(QStringLiteral(" a \n b"), metrics, 400), QStringLiteral(" a \n b"));
}

TEST_F(FormDialogTest, ButtonsEnterEscAndCloseBecomeCommands) {
  FormDialog dialog(presenter);
  ASSERT_TRUE(testing::ShowActive(dialog));
  Ctl<QPushButton>(dialog, 1001)->click();
  // Enter in a field: the form's default button (the first of default style).
  Ctl<QLineEdit>(dialog, 1052)->setFocus();
  QTest::keyClick(Ctl<QLineEdit>(dialog, 1052), Qt::Key_Return);
  // Esc, and the window's close command.
  QTest::keyClick(Ctl<QLineEdit>(dialog, 1005), Qt::Key_Escape);
  dialog.close();
  EXPECT_TRUE(dialog.isVisible());  // the presenter did not close it
  EXPECT_EQ(presenter.events, (std::vector<std::string>{"command 1001", "command 1000", "command 2",
                                                        "close-command"}));
}

TEST_F(FormDialogTest, FocusLostIsToldWhenAFieldLosesTheFocusWithinTheForm) {
  FormDialog dialog(presenter);
  ASSERT_TRUE(testing::ShowActive(dialog));
  auto* name = Ctl<QLineEdit>(dialog, 1052);
  auto* price = Ctl<QLineEdit>(dialog, 1005);
  name->setFocus();
  QTest::keyClick(name, Qt::Key_Tab);  // to the price field
  ASSERT_EQ(QApplication::focusWidget(), price);
  // A click on a button takes the focus first, then presses: the field hears it first.
  QTest::mouseClick(Ctl<QPushButton>(dialog, 1001), Qt::LeftButton);
  // The presenter moving the focus counts too.
  dialog.view().SetFocus(1052);
  dialog.view().SetFocus(1048);
  EXPECT_EQ(presenter.events, (std::vector<std::string>{"focus-lost 1052", "focus-lost 1005",
                                                        "command 1001", "focus-lost 1052"}));
}

TEST_F(FormDialogTest, RunOpensShowsCentredAndEndsWithThePresentersResult) {
  presenter.on_open = [](FormView& view) {
    view.SetTitle("ABERTO");
    view.SetFocus(1052);
  };
  presenter.on_command = [](FormView& view, int id) {
    if (id == 1001) view.Close(7);
  };
  FormDialog dialog(presenter);
  bool seen = false;
  const int result = dialog.Run([&](FormDialog& shown) {
    seen = true;
    EXPECT_TRUE(shown.isVisible());
    EXPECT_TRUE(shown.isModal());
    EXPECT_EQ(shown.windowTitle(), QStringLiteral("ABERTO"));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(shown.pos(),
              QPoint((screen.width() - shown.width()) / 2, (screen.height() - shown.height()) / 2));
    // Hiding while another form runs does not end this one.
    shown.view().Hide();
    EXPECT_FALSE(shown.isVisible());
    shown.view().Restore();
    EXPECT_TRUE(shown.isVisible());
    QTimer::singleShot(0, &shown, [&shown] { Ctl<QPushButton>(shown, 1001)->click(); });
  });
  EXPECT_TRUE(seen);
  EXPECT_EQ(result, 7);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(presenter.events.front(), "open");
  // After closing, events no longer reach the presenter.
  Ctl<QPushButton>(dialog, 1001)->click();
  EXPECT_EQ(presenter.events.back(), "command 1001");
  EXPECT_EQ(std::count(presenter.events.begin(), presenter.events.end(), "command 1001"), 1);
}

TEST_F(FormDialogTest, AFormClosedWhileOpeningIsNeverShown) {
  presenter.on_open = [](FormView& view) { view.Close(3); };
  FormDialog dialog(presenter);
  bool shown = false;
  EXPECT_EQ(dialog.Run([&](FormDialog&) { shown = true; }), 3);
  EXPECT_FALSE(shown);
}

// The stacked rows are the driver's; here only that a real dialog built from them holds every
// control, labelled and limited.
TEST(FormDialogLayout, AFormWithoutPositionsIsStackedAndStillComplete) {
  FormTemplate form = SampleForm();
  for (ControlTemplate& c : form.controls) c.x = c.y = c.width = c.height = 0;
  RecordingPresenter presenter(form);
  FormDialog dialog(presenter);
  dialog.adjustSize();
  for (int id : {1000, 1001, 1048, 1052, 1005, kIdOk, kIdCancel})
    EXPECT_TRUE(dialog.rect().contains(Ctl<QWidget>(dialog, id)->geometry())) << id;
  EXPECT_EQ(dialog.findChild<QLabel*>(QStringLiteral("label1052"))->text(),
            QStringLiteral("NOME DO DEPARTAMENTO"));
  EXPECT_EQ(Ctl<QLineEdit>(dialog, 1005)->maxLength(), 7);
}

}  // namespace
}  // namespace qx::ui::qt
