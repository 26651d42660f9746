#include "ui/workflows/import_choices.h"

#include <array>
#include <vector>

#include "common/cp1252.h"
#include "ui/forms/control_builders.h"

namespace qx::ui {
namespace {

const FormTemplate& ColumnChoiceTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 142;
    f.name = "ProductListColumns";
    f.title = Win1252("QX-4810  COLUNAS DA PLANILHA");
    f.width = 330;
    f.height = 250;
    std::vector<ControlTemplate>& c = f.controls;
    c.push_back(
        Note("Escolha a coluna da planilha de cada campo: marque o campo, marque a "
             "coluna e clique em \"Usar esta coluna\" (ou clique duas vezes na coluna).",
             {10, 6, 310, 20}));
    c.push_back(List(kIdColumnFields, {"Campo", "Coluna da planilha"}, {70, 0}, {10, 28, 310, 84}));
    c.push_back(List(kIdColumnFile, {"Coluna", "Título", "Primeiros valores"}, {34, 90, 0},
                     {10, 118, 310, 98}));
    c.push_back(PushButton(kIdColumnAssign, "Usar esta coluna",
                           " Dá ao campo marcado a coluna marcada.", {10, 226, 80, 16}));
    c.push_back(DefaultPushButton(kIdOk, "Continuar", " Mostra o relatório com estas colunas.",
                                  {180, 226, 65, 16}));
    c.push_back(PushButton(kIdCancel, "Cancelar", " Fecha sem gravar nada.", {255, 226, 65, 16}));
    return f;
  }();
  return form;
}

// Our fields as the technician knows them, in ListField order.
constexpr std::array<std::string_view, kListFieldCount> kFieldTitles = {
    "Código",         "Nome",        "Preço",        "Departamento",
    "Preço negativo", "Venda única", "Preço aberto", "Preço fixo"};

class ColumnChoice : public Presenter {
 public:
  explicit ColumnChoice(ImportSession& session)
      : session_(session), chosen_(session.import.field_columns) {}

  const FormTemplate& Template() const override { return ColumnChoiceTemplate(); }

  void OnOpen(FormView& view) override {
    view.SetTitle(Template().title);
    std::vector<std::vector<std::string>> rows = {{"", Win1252(kNoColumnText), ""}};
    const std::vector<exchange::ListColumn>& columns = session_.import.columns;
    for (std::size_t i = 0; i < columns.size(); ++i) {
      std::string values;
      for (const std::string& v : columns[i].first_values)
        values += (values.empty() ? "" : "; ") + v;
      rows.push_back({std::to_string(i + 1), columns[i].title, values});
    }
    view.SetListRows(kIdColumnFile, rows);
    ShowFields(view);
    view.SetListSelection(kIdColumnFields, FirstWithoutColumn());
    view.SetFocus(kIdColumnFields);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdColumnAssign) Assign(view, view.GetListSelection(kIdColumnFile));
    if (id == kIdOk) {
      for (std::size_t f = 0; f < chosen_.size(); ++f) session_.options.columns[f] = chosen_[f];
      view.Close(1);
    }
    if (id == kIdCancel) view.Close(0);
  }

  void OnListRowActivated(FormView& view, int id, int row) override {
    if (id == kIdColumnFile) Assign(view, row);
  }

 private:
  // Row 0 of the file's columns is no column.
  void Assign(FormView& view, int file_row) {
    const int field = view.GetListSelection(kIdColumnFields);
    if (field < 0 || file_row < 0) return;
    chosen_[static_cast<std::size_t>(field)] = file_row == 0 ? exchange::kNoColumn : file_row - 1;
    ShowFields(view);
    view.SetListSelection(kIdColumnFields, field);
  }

  void ShowFields(FormView& view) {
    std::vector<std::vector<std::string>> rows;
    for (std::size_t f = 0; f < chosen_.size(); ++f) {
      const int column = chosen_[f];
      const bool known =
          column >= 0 && static_cast<std::size_t>(column) < session_.import.columns.size();
      rows.push_back({Win1252(kFieldTitles[f]),
                      known ? session_.import.columns[static_cast<std::size_t>(column)].title
                            : Win1252(kNoColumnText)});
    }
    view.SetListRows(kIdColumnFields, rows);
  }

  int FirstWithoutColumn() const {
    for (std::size_t f = 0; f < chosen_.size(); ++f)
      if (chosen_[f] < 0) return static_cast<int>(f);
    return 0;
  }

  ImportSession& session_;
  std::array<int, kListFieldCount> chosen_;
};

}  // namespace

std::unique_ptr<Presenter> MakeColumnChoice(ImportSession& session) {
  return std::make_unique<ColumnChoice>(session);
}

}  // namespace qx::ui
