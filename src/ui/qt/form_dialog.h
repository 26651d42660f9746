// The one generic dialog that shows any form from its template and hands every event to the
// form's presenter through the form driver: only the Qt face of a form's native controls.
//
// Each control's objectName is "ctl" followed by its id ("ctl1000"); controls without an id
// are named "static" followed by their place in the template ("static3").
//
// The rules of events and texts live in the form driver (ui/forms/form_driver.h); this file
// only turns Qt's events into the driver's: clicks, Enter and Esc, the close command, an
// edit losing the focus to another control of the form (switching to another window is not
// a focus change here), every change of an edit's text, a click on a list's column title and
// a double click or Enter on a list's row (Enter there presses no button).
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include "ui/forms/form.h"
#include "ui/forms/form_driver.h"

class QEventLoop;
class QFont;

namespace qx::ui::qt {

// How a template's dialog units become pixels: a dialog unit is a quarter of the template
// font's average character width and an eighth of its height, taken at 96 dots per inch
// (for the usual 10-point dialog font 1.75 by 2 pixels), so a form keeps its proportions
// whatever font the system has.
struct DialogUnits {
  double x = 1.75, y = 2.0;  // pixels per dialog unit
  int font_pixels = 13;      // the forms' font, sized to fit the labels' places
  int PxX(int units) const;
  int PxY(int units) const;
};
DialogUnits DialogUnitsFor(int font_points);
// The forms' font at a pixel size.
QFont FormFont(int pixel_size = 13);

class FormDialog : public QDialog {
  Q_OBJECT

 public:
  explicit FormDialog(Presenter& presenter);
  ~FormDialog() override;

  // Opens the form (OnOpen), centres it on the screen, shows it in front and runs it modally
  // until the presenter closes it; gives the result the presenter closed it with.
  // on_shown, when given, is called once the form is on the screen, before its events run.
  int Run(const std::function<void(FormDialog&)>& on_shown = {});

  const FormTemplate& form() const { return form_; }
  Presenter& presenter() { return presenter_; }
  FormView& view() { return driver_; }
  // The control with this id (nullptr when the form has none).
  QWidget* Control(int id) const;
  // The id of this control (-1 when it is none of the form's addressed controls).
  int ControlId(const QWidget* widget) const;
  bool closed() const { return driver_.closed(); }
  int result() const { return driver_.result(); }
  void CloseWith(int result) { driver_.Close(result); }

 public slots:
  void reject() override;  // Esc
  void accept() override;  // not used by the forms; routed like Enter without a default

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  QWidget* MakeControl(const ControlTemplate& c, int index);
  QWidget* MakeList(const ControlTemplate& c);
  void Place(QWidget& widget, const ControlTemplate& c);
  void PlaceEditLabel(QWidget& label, const ControlTemplate& edit);
  void AutoLayout(const std::vector<QWidget*>& widgets);
  void CenterOnScreen();

  class Native;
  friend class Native;

  Presenter& presenter_;
  const FormTemplate& form_;
  std::unique_ptr<Native> native_;
  FormDriver driver_;
  std::map<int, QWidget*> controls_;
  std::map<QObject*, int> edit_ids_;
  std::map<QObject*, int> list_ids_;
  DialogUnits units_;
  bool laid_out_ = false;     // the template gives positions
  bool default_set_ = false;  // the first default push button is the dialog's default
  QEventLoop* loop_ = nullptr;
};

}  // namespace qx::ui::qt
