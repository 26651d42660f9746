// DeptEditor: the four status flags, the price (or price limit) and the name of the department
// chosen in the grid. "Salvar" stores them and raises the department's change markers for
// whatever really changed.
#include <cstdio>

#include "ui/forms/control_builders.h"
#include "ui/screens/record_editors.h"

namespace qx::ui {
namespace {

constexpr int kIdPrice = 1005;
constexpr int kIdName = 1052;

const FormTemplate& DeptEditorTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 103;
    f.name = "DeptEditor";
    f.title = Win1252("QX-4810  PROGRAMAÇÃO  DEPARTAMENTO: ");
    f.width = 303;
    f.height = 166;
    std::vector<ControlTemplate>& c = f.controls;
    c.push_back(CheckBox(kIdFixedPrice, "Preço programado (fixo) ?",
                         " Marque se o preço deve ser lido da tabela.\n Se NÃO for marcado, o "
                         "operador deverá entrar com \n o preço na venda seguido da tecla de "
                         "departamento.",
                         {10, 12, 150, 12}));
    c.push_back(CheckBox(kIdNegativePrice, "Preço é negativo ?",
                         " Se estiver marcado o valor é negativo.", {10, 30, 150, 12}));
    c.push_back(CheckBox(kIdOpenPrice, "Pode alterar preço programado na VENDA?",
                         " Marque se o operador pode substituir o \n preço fixo na venda.\n Para "
                         "substituir bastaria entrar com o \n preço na venda seguido da tecla de "
                         "departamento.",
                         {10, 48, 110, 20}));
    c.push_back(CheckBox(kIdSingleItemSale, "Produto fecha a venda em DINHEIRO ?",
                         " Marcando fará com que ao iniciar a venda, \n seja feito o seu "
                         "encerramento automático em DINHEIRO.",
                         {10, 74, 150, 12}));
    AddLabelledField(c, kIdName, "NOME DO DEPARTAMENTO", {170, 10, 120, 10},
                     " Informe o nome do departamento até 12 caracteres.", {170, 22, 80, 13}, false,
                     static_cast<int>(kRecordNameLen));
    c.push_back(RegisterHintControl(kIdName, {170, 37, 123, 18}));
    AddLabelledField(c, kIdPrice, "PREÇO /  LIMITE DE PREÇO:", {170, 58, 120, 10},
                     " Se o preço do depto/produto é variável ou  \n aberto, informe o valor "
                     "limite até 7 dígitos.\n Se for fixo, será entendido como o preço. \n O "
                     "valor não tem vírgula nem ponto porque \n já está implicito que tem 2 "
                     "casas decimais.",
                     {170, 70, 60, 13}, true, static_cast<int>(kPriceLen));
    c.push_back(AmountReadingControl(kIdPrice, {233, 72, 64, 10}));
    c.push_back(
        Note("Para imprimir uma letra ampliada, digite antes dela o caractere \"{\" "
             "(ABRE CHAVES).\nExemplo: CAFÉ  =  {C{A{F{É   (máximo 6 letras grandes)",
             {10, 96, 283, 30}));
    c.push_back(SaveButton({86, 140, 60, 16}));
    c.push_back(ExitButton({156, 140, 60, 16}));
    return f;
  }();
  return form;
}

std::string DefaultDeptName(int dept) {
  char text[16];
  std::snprintf(text, sizeof text, "DEPT%d", dept);
  return text;
}

class DeptEditor : public Presenter {
 public:
  DeptEditor(AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

  const FormTemplate& Template() const override { return DeptEditorTemplate(); }

  void OnOpen(FormView& view) override {
    view.SetTitle(DeptEditorTemplate().title + std::to_string(state_.current_dept));
    if (InRange()) {
      const DeptRecord& dept = state_.params.Department(state_.current_dept);
      ShowStatusFlags(view, dept);
      view.SetText(kIdPrice, dept.price);
      view.SetText(kIdName, dept.name);
    }
    UpdateRegisterHint(view, kIdName);
    UpdateAmountReading(view, kIdPrice, AmountKind::kCents);
    view.SetFocus(kIdName);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdOk) {
      Save(view);
    } else if (id == kIdCancel) {
      view.Close(0);
    }
  }

  void OnTextChanged(FormView& view, int id) override {
    if (id == kIdName) UpdateRegisterHint(view, kIdName);
    if (id == kIdPrice) UpdateAmountReading(view, kIdPrice, AmountKind::kCents);
  }

 private:
  bool InRange() const {
    return state_.current_dept >= 1 && state_.current_dept <= kDepartmentCount;
  }

  void Save(FormView& view) {
    if (!InRange()) {
      view.Close(1);
      return;
    }
    const std::string price = view.GetText(kIdPrice, kReadAll);
    if (price.size() > kPriceLen) {
      ShowError(desktop_, "ERRO - VALOR EXCEDE 7 DIGITOS");
      return;
    }
    std::string name = view.GetText(kIdName, kReadAll);
    if (name.size() > kRecordNameLen) {
      ShowError(desktop_, "NOME EXCEDE 12 CARACTERES");
      return;
    }
    if (RefuseSeparator(desktop_, view, kIdPrice, price, "PREÇO") ||
        RefuseSeparator(desktop_, view, kIdName, name, "NOME DO DEPARTAMENTO"))
      return;
    if (TrimBlanks(name).empty()) {
      // A key without a name is not programmed at all; give it one the register can print.
      name = DefaultDeptName(state_.current_dept);
      view.SetText(kIdName, name);
      UpdateRegisterHint(view, kIdName);
    }

    DeptRecord& dept = state_.params.Department(state_.current_dept);
    const DeptRecord old = dept;
    StoreStatusPriceName(dept, view, price, name);
    RaiseStoredMarkers(dept, old);
    state_.params_modified = true;
    view.Close(1);
  }

  AppState& state_;
  Desktop& desktop_;
};

}  // namespace

std::unique_ptr<Presenter> MakeDeptEditor(AppState& state, Desktop& desktop) {
  return std::make_unique<DeptEditor>(state, desktop);
}

}  // namespace qx::ui
