// The miscellaneous options editor ("DIVERSOS"): the system and print options a shop
// commonly changes, one checkbox each, plus the two currency symbols and the register
// number. Options it does not offer keep whatever the file or the defaults gave them.
#include <string>
#include <string_view>

#include "ui/forms/control_builders.h"
#include "ui/screens/editor_common.h"
#include "ui/screens/editors.h"
#include "ui/screens/register_hint.h"

namespace qx::ui {
namespace {

constexpr int kFormId = 119;
constexpr std::string_view kTitle = "QX-4810  PROGRAMAÇÃO  DIVERSOS";

constexpr int kCompactPrint = 1054;  // focused on opening
constexpr int kLocalSymbol = 1005;
constexpr int kForeignSymbol = 1052;
constexpr int kRegisterNumber = 1057;

// One option box: the flag it edits (in the system or the print options, as the register
// numbers them), its label, its help text and its place.
struct OptionBox {
  int id;
  char& (*flag)(ParamSet&);
  std::string_view label;
  std::string_view help;
  Box at;
};

#define QX_SYSTEM(field) [](ParamSet& p) -> char& { return p.system_options.field; }
#define QX_PRINT(field) [](ParamSet& p) -> char& { return p.print_options.field; }

// In the order in which the form attaches their help texts and sets them on opening.
const OptionBox kOptionBoxes[] = {
    {1054,
     QX_SYSTEM(compact_print),  // system 6
     "\nMarcar se deve usar o\nformato compactado\npara imprimir os cupons (cupom será\nretido "
     "como jornal).\n ",
     " Se for marcado imprimirá os cupons\n em um formato mais economico porque, por\n exemplo, "
     "os cupons ficarão retidos no\n rebobinador ao invés de serem entregues\n ao consumidor.",
     {5, 4, 161, 50}},
    {1048,
     QX_SYSTEM(drawer_on_reports),  // system 4
     "`Marca para\nAbrir GAVETA\n nas LEITURAS.",
     "A gaveta írá abrir quando for emitir \nLEITURA FINANCEIRA se estiver marcado.",
     {355, 57, 73, 26}},
    {1049,
     QX_SYSTEM(qty_dept_key),  // system 10
     "Marcar para ativar\nQuantidade Direta\n no DEPT (em vez de\nusar tecla    X / HORA).",
     "Se estiver marcado, o valor digitado na venda \nantes da finalizadora DEPTO será assumido "
     "como \nQUANTIDADE. Portanto, o operador não precisará usar \na tecla [X/HORA] para "
     "registrar a quantidade \ninteira de itens de uma tecla de departamento. \nExemplo 4 "
     "unidades do departamento 1:  [4]  [dept1].",
     {172, 4, 115, 34}},
    {1050,
     QX_PRINT(print_receipt_copy),  // print 5
     "Segundo cupom",
     " Pressionando [DINHEIRO/TOTAL] repetirá o cupom  \n pelo menos uma vez se estiver "
     "marcado.",
     {293, 4, 69, 10}},
    {1051,
     QX_SYSTEM(repeat_receipt),  // system 11
     "Múltiplos cupons",
     " Repetirá o cupom mais de uma vez se \n SEGUNDO CUPOM acima também estiver marcado.",
     {293, 16, 81, 10}},
    {1047,
     QX_SYSTEM(recalc_change),  // system 12
     "Correção\nde troco",
     " Se for marcado o operador poderá entrar \n com um novo valor recebido após encerrar \n o "
     "cupom para que a registradora \n recalcule o troco no visor.",
     {293, 28, 48, 18}},
    {1053,
     QX_SYSTEM(drawer_declaration),  // system 13
     "Marca se faz a\nDeclaração de Caixa\nantes da leitura Z.",
     " Se for marcado, a registradora exigirá \n a declaração de valores da gaveta antes \n de "
     "fazer a leitura Z.",
     {5, 131, 94, 26}},
    {1056,
     QX_SYSTEM(zero_financial_counter),  // system 16
     "Marca se zera\nconsecutivo após a\nleitura financeira Z.",
     " Marcar para zerar contador consecutivo \n após imprimir a leitura financeira Z.",
     {5, 102, 102, 26}},
    {1058,
     QX_SYSTEM(zero_grand_total_after_z),  // system 15
     "Marca se zera\nGrande Total após\n leitura Z.",
     " Marca para zerar GRANDE TOTAL após \n a leitura Z.",
     {264, 57, 85, 26}},
    {1060,
     QX_SYSTEM(zero_operator_counter),  // system 18
     "Marca se zera consecutivo do\nEMPREG após a leitura financeira Z.",
     " Marcar para zerar contador do operador \n após imprimir a leitura financeira Z.",
     {255, 102, 161, 18}},
    {1061,
     QX_SYSTEM(zero_product_counter),  // system 17
     "Marca se zera consecutivo PLU\napós a leitura financeira Z.",
     " Marcar para zerar contador consecutivo \n PLU (produto) após imprimir a leitura \n "
     "financeira Z.",
     {113, 102, 136, 18}},
    {1063,
     QX_SYSTEM(multiply_quantity),  // system 19
     "Marcado= mutiplica quantidade.\nNão marcado assume preço proporcional.Exemplo se "
     "marcado:\n5 [X/HORA] 2 [X/HORA] = 10\nExemplo se for PROPORCIONAL:\n5 [X/HORA] 2 [X/HORA] "
     "= 0,400.",
     " Se for marcado, quando o operador registrar, por \n exemplo, 2 pacotes com 5 "
     "achocolatados cada, a \n registradora computará 10 unidades (2x5). \n Se NÃO for "
     "marcado, será apurado o preço proporcional, \n ou seja, o consumidor estará levando "
     "apenas 2 \n achocolatados de um pacote de 5.",
     {5, 57, 253, 42}},
    {1064,
     QX_PRINT(print_z_counter),  // print 1
     "Marca se Imprime\ncontador Z nas leituras..",
     " Marca para imprimir contador Z \n nas leituras.",
     {196, 131, 119, 18}},
    {1025,
     QX_PRINT(print_subtotal),  // print 6
     "Marca se SUBTOTAL\ndeve ser impresso\nquando teclar\n S U B T O T A  L.",
     " Imprimirá o subtotal no cupom se a tecla \n [SUBTOTAL] for pressionada.",
     {5, 197, 90, 34}},
    {1066,
     QX_PRINT(print_zero_totals),  // print 2
     "Marca se imprime\ntotais ZERADOS\nnas leituras.",
     " Marque para que seja Impresso os valores \n zerados nas leituras.",
     {240, 238, 81, 26}},
    {1030,
     QX_PRINT(print_consecutive),  // print 7
     "Marcar se Imprime\nconsecutivo no cupom.",
     " Se for marcado imprimirá o consecutivo \n no cupom de venda.",
     {321, 131, 102, 18}},
    {1031,
     QX_PRINT(print_date),  // print 8
     "Marcar\npara Imprimir\nDATA",
     " Se for marcado imprimirá a data \n no cupom de venda.",
     {5, 160, 69, 26}},
    {1032,
     QX_PRINT(print_time),  // print 9
     "Marcar\npara\nimprimir\nHORA.",
     " Se for marcado imprimirá a hora \n no cupom de venda.",
     {80, 160, 48, 34}},
    {1033,
     QX_PRINT(print_operator_name),  // print 10
     "Marcar\npara imprimir\nNOME\nEMPREG",
     " Se for marcado imprimirá o nome do \n operador no cupom de venda.",
     {134, 160, 69, 34}},
    {1034,
     QX_PRINT(print_returns),  // print 11
     "Marcando imprime\nDEVOLUÇÃO / MODO VOID\nna leitura financeira.",
     " Se estiver marcado imprimirá os \n totalizadores de DEVOLUÇÃO e \n CANCELAMENTO na "
     "leitura financeira.",
     {5, 238, 125, 26}},
    {1035,
     QX_PRINT(print_item_count),  // print 12
     "Marca se Imprime\nnúmero de tens\nvendidos no cupom.",
     " Se for marcado imprimirá a quantidade \n de itens antes do TOTAL do cupom de venda.",
     {292, 160, 90, 26}},
    {1037,
     QX_PRINT(print_grand_total),  // print 18
     "Marque ;para\nimprimir Grande\nTotal redutível.",
     " Imprimirá o GRANDE TOTAL REDUTÍVEL \n na leitura financeira se estiver marcado.",
     {171, 197, 81, 26}},
    {1039,
     QX_PRINT(print_gross_grand_total),  // print 19
     "Marcar para\nimprimir Grande\nTotal irredutível",
     " Imprimirá o GRANDE TOTAL IRREDUTÍVEL \n na leitura financeira se estiver marcado.",
     {258, 197, 85, 26}},
    {1040,
     QX_PRINT(grand_total_net),  // print 20
     "Marca se\nGrande Total\né liquido.",
     " Marque se o GRANDE TOTAL é liquido.",
     {101, 197, 64, 26}},
    {1041,
     QX_PRINT(receipt_on_drawer_open),  // print 21
     "Marca se deve\nimprimir Abertura\nde GAVETA.",
     " Ao marcar estará Imprimindo um cupom se \n mandar abrir a GAVETA fora da venda.",
     {105, 131, 85, 26}},
    {1042,
     QX_PRINT(print_header),  // print 22
     "Imprime\ncabeçalho",
     " Marque para imprimir o cabeçalho no cupom.",
     {349, 197, 52, 18}},
    {1043,
     QX_PRINT(print_footer),  // print 23
     "Imprime\nrodapé",
     " Marque para imprimir os dados do rodapé no cupom.",
     {349, 217, 43, 18}},
    {1044,
     QX_PRINT(print_code_on_receipt),  // print 26
     "Marcar para\nImprimir código\nDEPT/PLU\nna VENDA",
     " Se estiver marcado imprimirá o código do produto ou \n do departamento no cupom da venda.",
     {209, 160, 77, 34}},
    {1045,
     QX_PRINT(print_code_in_product_report),  // print 27
     "Marcar para Imprimir\ncódigo do produto na\nleitura de PRODUTOS.",
     " Se estiver marcado imprimirá o código do produto \n na leitura dos produtos.",
     {136, 238, 98, 26}},
};

#undef QX_SYSTEM
#undef QX_PRINT

// The three text fields; each takes at most as many characters as it stores.
struct OptionText {
  int id;
  std::string& (*text)(ParamSet&);
  int width;
  bool digits_only;
  bool shows_hint;  // the currency symbols are printed by the register
  std::string_view label;
  std::string_view help;
  Box label_at, field_at;
  std::string_view name;  // how a message names the field
};

const OptionText kOptionTexts[] = {
    {kLocalSymbol,
     [](ParamSet& p) -> std::string& { return p.print_options.local_currency_symbol; },
     static_cast<int>(kCurrencySymbolLen),
     false,
     true,
     "Símbolo da\nmoeda:real",
     " Informe o símbolo da moeda local.\n Exemplo:  R$.",
     {5, 270, 45, 18},
     {52, 272, 30, 12},
     "SÍMBOLO DA MOEDA LOCAL"},
    {kForeignSymbol,
     [](ParamSet& p) -> std::string& { return p.print_options.foreign_currency_symbol; },
     static_cast<int>(kCurrencySymbolLen),
     false,
     true,
     "Moeda\nestrangeira:",
     " Informe o símbolo da moeda estrangeira.\n Exemplo:  US$.",
     {212, 270, 45, 18},
     {259, 272, 30, 12},
     "SÍMBOLO DA MOEDA ESTRANGEIRA"},
    {kRegisterNumber,
     [](ParamSet& p) -> std::string& { return p.register_number; },
     static_cast<int>(kRegisterNumberLen),
     true,
     false,
     "Número\ndo caixa",
     " Informe o número do caixa a partir de 1. \n Sugestão: incluir a identificação da loja "
     "junto \n com o número do Caixa para saber onde foi feita a venda.",
     {380, 4, 45, 18},
     {380, 24, 40, 12},
     "NÚMERO DO CAIXA"},
};

constexpr std::string_view kNote =
    "NOTA: A alteração de alguns parâmetros não estão disponíveis aqui porque eles raramente  "
    "seriam  aplicados.  São eles: FORMATO DA DATA diferente de DDMMAA,buzina do teclado, casas "
    "decimais diferente de dois, jornal eletrônico, arredondamento e treinamento.";
constexpr std::string_view kNoteBelow =
    "Para alterá-los, consulte o manual de programação do equipamento.";

FormTemplate BuildTemplate() {
  FormTemplate form;
  form.resource_id = kFormId;
  form.name = "MiscOptionsEditor";
  form.title = Win1252(kTitle);
  form.width = 434;
  form.height = 350;
  for (const OptionBox& box : kOptionBoxes)
    form.controls.push_back(CheckBox(box.id, box.label, box.help, box.at));
  for (const OptionText& t : kOptionTexts) {
    AddLabelledField(form.controls, t.id, t.label, t.label_at, t.help, t.field_at, t.digits_only,
                     t.width);
    if (t.shows_hint)
      form.controls.push_back(
          RegisterHintControl(t.id, {t.field_at.x + t.field_at.width + 4, t.label_at.y, 120, 16}));
  }
  form.controls.push_back(Note(kNote, {5, 292, 424, 26}));
  form.controls.push_back(CenteredNote(kNoteBelow, {5, 319, 424, 8}));
  form.controls.push_back(SaveButton({150, 331, 60, 14}));
  form.controls.push_back(ExitButton({224, 331, 60, 14}));
  return form;
}

class MiscOptionsEditor : public Presenter {
 public:
  MiscOptionsEditor(AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

  const FormTemplate& Template() const override {
    static const FormTemplate form = BuildTemplate();
    return form;
  }

  void OnOpen(FormView& view) override {
    view.SetTitle(Win1252(kTitle));
    for (const OptionBox& box : kOptionBoxes) SetCheckFlag(view, box.id, box.flag(state_.params));
    for (const OptionText& t : kOptionTexts) {
      view.SetText(t.id, t.text(state_.params));
      if (t.shows_hint) UpdateRegisterHint(view, t.id);
    }
    view.SetFocus(kCompactPrint);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdOk) {
      Save(view);
    } else if (id == kIdCancel) {
      view.Close(0);
    }
  }

  void OnTextChanged(FormView& view, int id) override {
    for (const OptionText& t : kOptionTexts)
      if (t.id == id && t.shows_hint) UpdateRegisterHint(view, id);
  }

 private:
  void Save(FormView& view) {
    // The parameter file separates its fields with '|': no stored text may hold one.
    for (const OptionText& t : kOptionTexts)
      if (RefuseSeparator(desktop_, view, t.id, view.GetText(t.id, t.width), t.name)) return;
    for (const OptionBox& box : kOptionBoxes) box.flag(state_.params) = GetCheckFlag(view, box.id);
    for (const OptionText& t : kOptionTexts) t.text(state_.params) = view.GetText(t.id, t.width);
    state_.params_modified = true;
    view.Close(1);
  }

  AppState& state_;
  Desktop& desktop_;
};

}  // namespace

std::unique_ptr<Presenter> MakeMiscOptionsEditor(AppState& state, Desktop& desktop) {
  return std::make_unique<MiscOptionsEditor>(state, desktop);
}

}  // namespace qx::ui
