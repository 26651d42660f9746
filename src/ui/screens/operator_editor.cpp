// OperatorEditor: operator names one after the other. Leaving the code field (or Enter in
// it) takes the code and shows the stored name; "Salvar / Próximo" stores the name shown,
// marks the operator as altered and empties the form for the next code.
#include "ui/forms/control_builders.h"
#include "ui/screens/editors.h"
#include "ui/screens/record_editors.h"

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

// The message has always lacked its closing parenthesis; it is kept as the users know it.
constexpr RecordCodeRules kOperatorCodes = {
    kOperatorCount, kCodeChars, "ERRO - CODIGO EXCEDE LIMITE (FAIXA: 1 A 10", "operador"};

class OperatorEditor : public NextRecordEditor {
 public:
  OperatorEditor(AppState& state, Desktop& desktop)
      : NextRecordEditor(desktop, state.current_operator, kOperatorCodes, kIdCode, kIdName),
        state_(state) {}

  const FormTemplate& Template() const override { return OperatorEditorTemplate(); }

 private:
  std::vector<int> ValueBoxes() const override { return {}; }
  std::vector<int> ValueFields() const override { return {kIdName}; }

  void ShowRecord(FormView& view, int code) override {
    view.SetText(kIdName, state_.params.Operator(code).name);
    UpdateRegisterHint(view, kIdName);
  }

  bool StoreRecord(FormView& view, int code) override {
    const std::string name = view.GetText(kIdName, kReadAll);
    if (name.empty()) {
      ShowError(desktop_, Win1252("ERRO - NOME NÃO INFORMADO"));
      return false;
    }
    if (name.size() > kOperatorNameLen) {
      ShowError(desktop_, "ERRO - NOME EXCEDE 8 CARACTERES");
      return false;
    }
    if (RefuseSeparator(desktop_, view, kIdName, name, "NOME DO OPERADOR")) return false;
    OperatorRecord& op = state_.params.Operator(code);
    op.name = name;
    state_.params_modified = true;
    // Every store lists the operator in the change summary, even with the name unchanged.
    op.changed = 1;
    return true;
  }

  AppState& state_;
};

}  // namespace

std::unique_ptr<Presenter> MakeOperatorEditor(AppState& state, Desktop& desktop) {
  return std::make_unique<OperatorEditor>(state, desktop);
}

}  // namespace qx::ui
