// ProductEditor: products one after the other. Leaving the code field (or Enter in it) takes
// the code and shows the stored product; "Salvar / Próximo" checks the form, stores the
// product shown, raises its change markers for whatever really changed and empties the form
// for the next code.
#include "model/product_rules.h"
#include "ui/forms/control_builders.h"
#include "ui/screens/editors.h"
#include "ui/screens/product_table_form.h"
#include "ui/screens/record_editors.h"
#include "ui/workflows/product_list_workflow.h"

namespace qx::ui {
namespace {

constexpr int kIdCode = 1005;
constexpr int kIdPrice = 1052;
constexpr int kIdName = 1057;
constexpr int kIdDeptCode = 1059;
constexpr int kIdImportList = 1090;
constexpr int kIdExportList = 1091;
constexpr int kIdProductTable = 1092;
constexpr int kCodeChars = 3;  // only the first three characters of the code are read

const FormTemplate& ProductEditorTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 106;
    f.name = "ProductEditor";
    f.title = Win1252("QX-4810  PROGRAMAÇÃO  PRODUTOS");
    f.width = 317;
    f.height = 182;
    std::vector<ControlTemplate>& c = f.controls;
    AddLabelledField(c, kIdCode, "Código      (1 a 500):", {10, 10, 80, 10}, "", {92, 8, 40, 13},
                     true);
    c.push_back(CheckBox(kIdFixedPrice, "Preço programado (fixo) ?",
                         " Marque se o preço deve ser lido da tabela.\n Se NÃO for marcado, o "
                         "operador deverá entrar \n com o preço na venda após registrar o "
                         "código \n do produto.",
                         {10, 32, 150, 12}));
    c.push_back(CheckBox(kIdNegativePrice, "Preço é negativo ?",
                         " Se estiver marcado o valor do produto é negativo.", {10, 50, 150, 12}));
    c.push_back(CheckBox(kIdOpenPrice, "Pode alterar preço programado na VENDA?",
                         " Marque se o operador pode substituir o \n preço do produto na venda.\n "
                         "Se o preço fixo está marcado, o operador \n poderá substituir o preço "
                         "na venda \n se digitar quantidade 1 ([1] [XHORA]) na venda \n antes de "
                         "registrar o código do produto.",
                         {10, 68, 110, 20}));
    c.push_back(CheckBox(kIdSingleItemSale, "Produto fecha a venda em DINHEIRO ?",
                         " Marcando fará com que o produto ao iniciar a venda, \n seja feito o "
                         "seu encerramento automático em DINHEIRO.",
                         {10, 94, 160, 12}));
    AddLabelledField(c, kIdName, "Nome do produto:", {180, 30, 120, 10},
                     " Informe o nome do produto até 12 caracteres.", {180, 42, 80, 13}, false,
                     static_cast<int>(kRecordNameLen));
    c.push_back(RegisterHintControl(kIdName, {180, 57, 127, 18}));
    AddLabelledField(c, kIdPrice, "Preço / Limite de preço:", {180, 78, 120, 10},
                     " Se o preço do produto é variável ou aberto, \n entre com o valor limite "
                     "até 7 dígitos.\n Se for fixo, entre com o preço. \n O valor não tem "
                     "vírgula nem ponto porque \n já está implicito que tem 2 casas decimais.",
                     {180, 90, 60, 13}, true, static_cast<int>(kPriceLen));
    c.push_back(AmountReadingControl(kIdPrice, {243, 92, 67, 10}));
    AddLabelledField(c, kIdDeptCode, "Código do departamento", {180, 110, 120, 10},
                     " Informe o código do departamento de 1 a 16.", {180, 122, 30, 13}, true,
                     static_cast<int>(kDeptCodeLen));
    c.push_back(Note("Não é possivel cancelar um produto. ", {10, 114, 160, 10}));
    c.push_back(
        Note("Para imprimir uma letra ampliada, digite antes dela o caractere \"{\" "
             "(ABRE CHAVES).\nExemplo: CHÁ  =  {C{H{Á   (máximo 6 letras)",
             {10, 128, 165, 30}));
    c.push_back(PushButton(kIdProductTable, "LISTA",
                           " Mostra todos os produtos numa tabela, para procurar\n e ordenar. "
                           "Duplo clique num produto o abre aqui.",
                           {10, 160, 70, 16}));
    c.push_back(DefaultPushButton(kIdOk, "Salvar / Próximo", "", {90, 160, 70, 16}));
    c.push_back(ExitButton({170, 160, 60, 16}));
    c.push_back(PushButton(kIdImportList, "IMPORTAR planilha",
                           " Lê os produtos de uma planilha (arquivo CSV) e mostra\n o que mudaria "
                           "antes de gravar qualquer produto.",
                           {233, 140, 77, 16}));
    c.push_back(PushButton(kIdExportList, "EXPORTAR planilha",
                           " Grava todos os produtos programados numa planilha\n (arquivo CSV).",
                           {233, 160, 77, 16}));
    return f;
  }();
  return form;
}

constexpr RecordCodeRules kProductCodes = {kProductCount, kCodeChars,
                                           "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)", "produto"};

class ProductEditor : public NextRecordEditor {
 public:
  ProductEditor(AppState& state, Desktop& desktop)
      : NextRecordEditor(desktop, state.current_plu, kProductCodes, kIdCode, kIdName),
        state_(state) {}

  const FormTemplate& Template() const override { return ProductEditorTemplate(); }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdImportList) {
      // A product shown before the import would be saved back over what was imported.
      if (ImportProductListWorkflow(state_, desktop_)) ClearForNext(view);
    } else if (id == kIdExportList) {
      ExportProductListWorkflow(state_, desktop_);
    } else if (id == kIdProductTable) {
      OpenFromTable(view);
    } else {
      NextRecordEditor::OnCommand(view, id);
    }
  }

  void OnTextChanged(FormView& view, int id) override {
    if (id == kIdPrice)
      UpdateAmountReading(view, kIdPrice, AmountKind::kCents);
    else
      NextRecordEditor::OnTextChanged(view, id);
  }

 protected:
  void UpdateHints(FormView& view) override {
    NextRecordEditor::UpdateHints(view);
    UpdateAmountReading(view, kIdPrice, AmountKind::kCents);
  }

 private:
  // The table shows what is stored; the product chosen there is taken as if its code had
  // been typed here, so values typed and not saved are not dropped without the question.
  void OpenFromTable(FormView& view) {
    std::unique_ptr<Presenter> table = MakeProductTable(state_.params);
    const int code = desktop_.RunForm(*table);
    if (code >= 1 && code <= kProductCount && TakeChosenCode(view, code)) view.SetFocus(kIdName);
  }

  std::vector<int> ValueBoxes() const override {
    return {kIdFixedPrice, kIdOpenPrice, kIdNegativePrice, kIdSingleItemSale};
  }
  std::vector<int> ValueFields() const override { return {kIdPrice, kIdName, kIdDeptCode}; }

  void ShowRecord(FormView& view, int code) override {
    const PluRecord& plu = state_.params.Product(code);
    ShowStatusFlags(view, plu);
    view.SetText(kIdPrice, plu.price);
    view.SetText(kIdName, plu.name);
    view.SetText(kIdDeptCode, plu.dept_code);
    UpdateHints(view);
  }

  // Checks the form in its fixed order; shows the first failure and gives false.
  bool Check(const FormView& view, const std::string& price, const std::string& name,
             const std::string& dept_code) const {
    ProductEntry entry;
    entry.flags.fixed_price = view.GetCheck(kIdFixedPrice);
    entry.flags.open_price = view.GetCheck(kIdOpenPrice);
    entry.flags.negative_price = view.GetCheck(kIdNegativePrice);
    entry.flags.single_item_sale = view.GetCheck(kIdSingleItemSale);
    entry.price = price;
    entry.name = name;
    entry.dept_code = dept_code;
    // A '|' is told afterwards, naming the field that holds it.
    const ProductCheck check = CheckProductEntry(entry);
    if (check.ok() || check.fault == ProductFault::kSeparator) return true;
    ShowError(desktop_, ProductEditorMessage(check.fault));
    return false;
  }

  // The parameter file's separator, after the form's own checks.
  bool RefuseSeparators(FormView& view, const std::string& price, const std::string& name,
                        const std::string& dept_code) {
    return RefuseSeparator(desktop_, view, kIdPrice, price, "PREÇO") ||
           RefuseSeparator(desktop_, view, kIdName, name, "NOME DO PRODUTO") ||
           RefuseSeparator(desktop_, view, kIdDeptCode, dept_code, "CÓDIGO DO DEPARTAMENTO");
  }

  bool StoreRecord(FormView& view, int code) override {
    const std::string price = view.GetText(kIdPrice, kReadAll);
    std::string name = view.GetText(kIdName, kReadAll);
    const std::string dept_code = view.GetText(kIdDeptCode, kReadAll);
    if (!Check(view, price, name, dept_code) || RefuseSeparators(view, price, name, dept_code))
      return false;
    // A product with neither name nor status is stored with one blank, which the register
    // accepts as a name.
    if (name.empty()) name.assign(1, ' ');

    PluRecord& plu = state_.params.Product(code);
    const PluRecord old = plu;
    StoreStatusPriceName(plu, view, price, name);
    plu.dept_code = dept_code.substr(0, kDeptCodeLen);
    RaiseStoredMarkers(plu, old);
    state_.params_modified = true;
    return true;
  }

  AppState& state_;
};

}  // namespace

std::unique_ptr<Presenter> MakeProductEditor(AppState& state, Desktop& desktop) {
  return std::make_unique<ProductEditor>(state, desktop);
}

}  // namespace qx::ui
