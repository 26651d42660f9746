// The one generic dialog that shows any form from its template and hands every event to the
// form's presenter. Nothing a form does lives here: this is only the Qt face of FormView.
//
// Each control's objectName is "ctl" followed by its id ("ctl1000"); controls without an id
// are named "static" followed by their place in the template ("static3").
//
// Events reach the presenter as they would from a dialog manager:
// - a push button's click, OnCommand(id); a checkbox's click only when its template asks for
//   it (notify), also OnCommand(id);
// - Enter: the focused push button's id, otherwise the default push button's id (nothing when
//   it is disabled), otherwise kIdOk; Esc: kIdCancel;
// - the window's close command: OnCloseCommand;
// - an edit losing the focus to another control of the form (or to a SetFocus of the
//   presenter): OnFocusLost(id); switching to another window is not a focus change here;
// - every change of an edit's text, typed or set: OnTextChanged(id);
// - a click on a list's column title, OnListHeaderClicked(id, column); a double click on a
//   list's row or Enter on it, OnListRowActivated(id, row) (Enter then presses no button).
#pragma once

#include <QDialog>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <vector>

#include "ui/form.h"

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

class QtFormView;

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
  FormView& view();
  // The control with this id (nullptr when the form has none).
  QWidget* Control(int id) const;
  // The id of this control (-1 when it is none of the form's addressed controls).
  int ControlId(const QWidget* widget) const;
  bool closed() const { return closed_; }
  int result() const { return result_; }

  // FormView's work, done by the dialog.
  void CloseWith(int result);
  void HideForm();
  void RestoreForm();

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
  void Command(int id);
  void TextChanged(int id);
  int EnterCommand() const;

  Presenter& presenter_;
  const FormTemplate& form_;
  std::unique_ptr<QtFormView> view_;
  std::map<int, QWidget*> controls_;
  std::map<QObject*, int> edit_ids_;
  std::map<QObject*, int> list_ids_;
  std::set<int> changing_;  // edits whose OnTextChanged is running
  DialogUnits units_;
  int default_id_ = -1;
  bool laid_out_ = false;  // the template gives positions
  bool closed_ = false;
  int result_ = 0;
  QEventLoop* loop_ = nullptr;
};

// The FormView that presenters talk to: control ids, Windows-1252 texts.
class QtFormView : public FormView {
 public:
  explicit QtFormView(FormDialog& dialog) : dialog_(dialog) {}

  std::string GetText(int id, int max_chars) const override;
  void SetText(int id, std::string_view text) override;
  bool GetCheck(int id) const override;
  void SetCheck(int id, bool checked) override;
  void SetEnabled(int id, bool enabled) override;
  bool IsEnabled(int id) const override;
  void SetListRows(int id, const std::vector<std::vector<std::string>>& rows) override;
  void SetListRowTips(int id, const std::vector<std::string>& tips) override;
  int GetListSelection(int id) const override;
  void SetListSelection(int id, int row) override;
  void SetFocus(int id) override;
  int FocusedControl() const override;
  void SetTitle(std::string_view title) override;
  void Close(int result) override;
  void Hide() override;
  void Restore() override;

 private:
  FormDialog& dialog_;
};

}  // namespace qx::ui::qt
