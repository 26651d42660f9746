#include "ui/screens/product_table_form.h"

#include <string>
#include <vector>

#include "ui/forms/control_builders.h"
#include "ui/screens/product_table.h"

namespace qx::ui {
namespace {

// The find field reads this much; no product name comes near it.
constexpr int kFindChars = 40;

const FormTemplate& ProductTableTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 141;
    f.name = "ProductTable";
    f.title = Win1252("QX-4810  PROGRAMAÇÃO  LISTA DE PRODUTOS");
    f.width = 372;
    f.height = 262;
    std::vector<ControlTemplate>& c = f.controls;
    AddLabelledField(c, kIdTableFind, "Procurar:", {10, 10, 36, 10},
                     " Digite o código ou parte do nome do produto.\n Maiúsculas e acentos não "
                     "fazem diferença.",
                     {48, 8, 110, 13}, false, kFindChars);
    c.push_back(MakeControl(ControlKind::kStaticText, kIdTableCount, "", "", {166, 10, 70, 10}));
    ControlTemplate show_all =
        CheckBox(kIdTableShowAll, "Mostrar todos os 500",
                 " Mostra também os códigos sem produto programado.", {258, 8, 104, 12});
    show_all.notify = true;
    c.push_back(show_all);
    c.push_back(List(kIdTableList,
                     {"!", "Código", "Nome", "Preço", "Depto", "Neg.", "Única", "Aberto", "Fixo"},
                     {12, 30, 70, 52, 28, 26, 28, 32, 0}, {10, 26, 352, 206}));
    c.push_back(
        Note("! : passe o mouse sobre a linha para ver o problema.\nTítulo: ordena. "
             "Duplo clique ou Enter: abre.",
             {10, 236, 206, 22}));
    c.push_back(DefaultPushButton(
        kIdOk, "Abrir", " Abre o produto escolhido no editor de produtos.", {222, 240, 66, 16}));
    c.push_back(PushButton(kIdCancel, "Fechar", " Fecha a lista.", {296, 240, 66, 16}));
    return f;
  }();
  return form;
}

class ProductTableForm : public Presenter {
 public:
  explicit ProductTableForm(const ParamSet& params) : table_(params) {}

  const FormTemplate& Template() const override { return ProductTableTemplate(); }

  void OnOpen(FormView& view) override {
    view.SetTitle(Template().title);
    view.SetCheck(kIdTableShowAll, false);
    Show(view, 0);
    view.SetFocus(kIdTableFind);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdTableShowAll) {
      const int chosen = ChosenCode(view);
      table_.SetShowAll(view.GetCheck(kIdTableShowAll));
      Show(view, chosen);
    } else if (id == kIdOk) {
      // Enter in the find field opens the chosen product, else the one whose code was typed,
      // else the only one found.
      int row = view.GetListSelection(kIdTableList);
      if (row < 0) row = RowOfTypedCode(view);
      if (row < 0 && table_.Shown().size() == 1) row = 0;
      Open(view, row);
    } else if (id == kIdCancel) {
      view.Close(0);
    }
  }

  void OnTextChanged(FormView& view, int id) override {
    if (id != kIdTableFind) return;
    const int chosen = ChosenCode(view);
    table_.SetFind(view.GetText(kIdTableFind, kFindChars));
    Show(view, chosen);
  }

  void OnListHeaderClicked(FormView& view, int id, int column) override {
    if (id != kIdTableList) return;
    const int chosen = ChosenCode(view);
    table_.ClickColumn(column);
    Show(view, chosen);
  }

  void OnListRowActivated(FormView& view, int id, int row) override {
    if (id == kIdTableList) Open(view, row);
  }

 private:
  // The code of the chosen row, 0 when none is.
  int ChosenCode(const FormView& view) const {
    const int row = view.GetListSelection(kIdTableList);
    const std::vector<const ProductRow*>& shown = table_.Shown();
    return row >= 0 && static_cast<std::size_t>(row) < shown.size()
               ? shown[static_cast<std::size_t>(row)]->code
               : 0;
  }

  // The row of the product whose code the find field holds, -1 when none is shown.
  int RowOfTypedCode(const FormView& view) const {
    const int code = ProductFind(view.GetText(kIdTableFind, kFindChars)).Code();
    const std::vector<const ProductRow*>& shown = table_.Shown();
    for (std::size_t i = 0; i < shown.size(); ++i)
      if (code != 0 && shown[i]->code == code) return static_cast<int>(i);
    return -1;
  }

  // Shows the rows and the count; the product that was chosen stays chosen while shown.
  void Show(FormView& view, int chosen_code) {
    const std::vector<const ProductRow*>& shown = table_.Shown();
    std::vector<std::vector<std::string>> cells;
    std::vector<std::string> tips;
    cells.reserve(shown.size());
    tips.reserve(shown.size());
    int chosen_row = -1;
    for (const ProductRow* row : shown) {
      if (row->code == chosen_code) chosen_row = static_cast<int>(cells.size());
      cells.push_back(row->cells);
      tips.push_back(row->attention);
    }
    view.SetListRows(kIdTableList, cells);
    view.SetListRowTips(kIdTableList, tips);
    if (chosen_row >= 0) view.SetListSelection(kIdTableList, chosen_row);
    view.SetText(kIdTableCount, table_.CountText());
  }

  void Open(FormView& view, int row) {
    const std::vector<const ProductRow*>& shown = table_.Shown();
    if (row < 0 || static_cast<std::size_t>(row) >= shown.size()) return;
    view.Close(shown[static_cast<std::size_t>(row)]->code);
  }

  ProductTable table_;
};

}  // namespace

std::unique_ptr<Presenter> MakeProductTable(const ParamSet& params) {
  return std::make_unique<ProductTableForm>(params);
}

}  // namespace qx::ui
