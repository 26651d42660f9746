// OperatorEditor: operator names one after the other. Leaving the code field takes the code
// and shows the stored name; "Salvar / Próximo" stores the name, marks the operator as
// altered and empties the form for the next code.
#include "common/messages.h"
#include "ui/control_builders.h"
#include "ui/editors.h"
#include "ui/record_editors.h"

namespace qx::ui {
namespace {

constexpr int kIdCode = 1005;
constexpr int kIdName = 1052;
constexpr int kCodeChars = 2;  // only the first two characters of the code are read

const FormTemplate& OperatorEditorTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 104;
    f.name = "OperatorEditor";
    f.title = Win1252("QX-4810  PROGRAMAÇÃO  OPERADORES");
    f.width = 215;
    f.height = 127;
    std::vector<ControlTemplate>& c = f.controls;
    AddLabelledField(c, kIdCode, "Código (1 a 10):", {10, 12, 72, 10}, "", {85, 10, 30, 13}, true);
    AddLabelledField(c, kIdName, "Nome do empregado", {10, 34, 72, 10},
                     " Nome do operador até 8 caracteres.", {85, 32, 60, 13}, false,
                     static_cast<int>(kOperatorNameLen));
    c.push_back(RegisterHintControl(kIdName, {85, 47, 120, 18}));
    c.push_back(DefaultPushButton(kIdOk, "Salvar / Próximo", "", {30, 104, 70, 16}));
    c.push_back(ExitButton({115, 104, 60, 16}));
    c.push_back(
        Note("Para imprimir uma letra ampliada, digite antes dela o caractere \"{\" "
             "(ABRE CHAVES).\nExemplo: JOSÉ  =  {J{O{S{E   (máximo  4 letras grandes)",
             {10, 68, 195, 30}));
    return f;
  }();
  return form;
}

class OperatorEditor : public NextRecordEditor {
 public:
  explicit OperatorEditor(AppState& state) : NextRecordEditor(kIdCode, kIdName), state_(state) {}

  const FormTemplate& Template() const override { return OperatorEditorTemplate(); }

 private:
  static bool InRange(int code) { return code >= 1 && code <= kOperatorCount; }

  void TakeCode(FormView& view) override {
    // The message has always lacked its closing parenthesis; it is kept as the users know it.
    if (!TakeRecordCode(view, kIdCode, kCodeChars, kOperatorCount,
                        "ERRO - CODIGO EXCEDE LIMITE (FAIXA: 1 A 10", state_.current_operator))
      return;
    view.SetText(kIdName, state_.params.Operator(state_.current_operator).name);
    UpdateRegisterHint(view, kIdName);
  }

  void SaveAndNext(FormView& view) override {
    // Storing uses the code last taken, not the code field's text.
    if (InRange(state_.current_operator)) {
      const std::string name = view.GetText(kIdName, kReadAll);
      if (name.empty()) {
        ShowError(Win1252("ERRO - NOME NÃO INFORMADO"));
        return;
      }
      if (name.size() > kOperatorNameLen) {
        ShowError("ERRO - NOME EXCEDE 8 CARACTERES");
        return;
      }
      if (RefuseSeparator(view, kIdName, name, "NOME DO OPERADOR")) return;
      OperatorRecord& op = state_.params.Operator(state_.current_operator);
      op.name = name;
      state_.params_modified = true;
      // Every store lists the operator in the change summary, even with the name unchanged.
      op.changed = 1;
    }
    view.SetText(kIdCode, "");
    view.SetText(kIdName, "");
    UpdateRegisterHint(view, kIdName);
    view.SetFocus(kIdCode);
  }

  AppState& state_;
};

}  // namespace

std::unique_ptr<Presenter> MakeOperatorEditor(AppState& state, Desktop&) {
  return std::make_unique<OperatorEditor>(state);
}

}  // namespace qx::ui
