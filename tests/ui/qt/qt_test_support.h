// What the Qt adapter's tests share: one QApplication for the whole program (offscreen), a
// presenter that records what the dialog tells it, and control lookup by id.
#pragma once

#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "../recording_presenter.h"
#include "ui/forms/form.h"
#include "ui/qt/form_dialog.h"

namespace qx::ui::qt::testing {

// The control named "ctl<id>" of a form, of the given widget type (nullptr if none).
template <typename W>
W* Ctl(const QWidget& form, int id) {
  return form.findChild<W*>(QStringLiteral("ctl%1").arg(id));
}

using qx::ui::testing::RecordingPresenter;

// Types the text into the widget one character at a time, as key presses carrying that
// character (QTest::keyClicks knows only ASCII).
void TypeText(QWidget* widget, const QString& text);

// Every addressable control of the template as the dialog built it: its widget class, place,
// help, label and limit (labels and help texts compared without the breaks and blanks of
// their wrapping).
void ExpectDialogShowsTemplate(const FormDialog& dialog, const FormTemplate& form);

// Shows the dialog and waits until it is the active window, so focus and keys work.
bool ShowActive(FormDialog& dialog);

}  // namespace qx::ui::qt::testing
