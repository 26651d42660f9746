// The function key editor: the three means of payment, the two cancel keys, the percentage
// discount and surcharge, the amount discount and the foreign currency, in one form. Its
// save is all or nothing: every field is checked first, and only when all pass is every
// field stored.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/field_text.h"
#include "ui/forms/control_builders.h"
#include "ui/screens/amount_reading.h"
#include "ui/screens/editor_common.h"
#include "ui/screens/editors.h"
#include "ui/screens/register_hint.h"

namespace qx::ui {
namespace {

constexpr int kFormId = 107;
constexpr std::string_view kTitle = "QX-4810  PROGRAMAÇÃO  TECLAS DE FUNÇÃO";

// Control ids of the form.
enum : int {
  kCashRequired = 1047,
  kCashChange = 1053,
  kCashLowerRefused = 1056,
  kCashLimit = 1005,
  kCashName = 1052,
  kChequeRequired = 1058,
  kChequeChange = 1060,
  kChequeLowerRefused = 1063,
  kChequeLimit = 1057,
  kChequeName = 1059,
  kCardRequired = 1049,
  kCardChange = 1050,
  kCardLowerRefused = 1061,
  kCardLimit = 1029,
  kCardName = 1062,
  kVoidReceiptDisabled = 1048,
  kVoidReceiptLimit = 1065,
  kVoidReceiptName = 1067,
  kVoidItemLimit = 1066,
  kDiscountOpen = 1051,
  kDiscountPercent = 1068,
  kDiscountName = 1016,
  kSurchargeOpen = 1064,
  kSurchargePercent = 1017,
  kSurchargeName = 1018,
  kDiscountValueOpen = 1025,
  kDiscountValue = 1019,
  kDiscountValueName = 1020,
  kExchangeRate = 1021,
  kRateDecimals = 1022,
};

// Every field is read with this many characters for the checks, one more than the widest
// name or limit, so that a text too long for its field shows.
constexpr int kCheckReadLength = 9;

// One stored field: a flag behind a checkbox or a text behind a text field.
struct KeyField {
  int id;
  char& (*flag)(ParamSet&);         // null for text fields
  std::string& (*text)(ParamSet&);  // null for checkboxes
  int width;                        // characters stored from a text field
  std::string_view name;            // how a message names a text field
};

#define QX_FLAG(expr) [](ParamSet& p) -> char& { return p.expr; }, nullptr, 0, ""
#define QX_TEXT(expr, width, name) \
  nullptr, [](ParamSet& p) -> std::string& { return p.expr; }, width, name

// In the order the form shows and stores them.
const KeyField kKeyFields[] = {
    {kCashRequired, QX_FLAG(cash_key.value_required)},
    {kCashChange, QX_FLAG(cash_key.change_allowed)},
    {kCashLowerRefused, QX_FLAG(cash_key.lower_value_refused)},
    {kCashLimit, QX_TEXT(cash_key.limit, 8, "LIMITE DE DINHEIRO")},
    {kCashName, QX_TEXT(cash_key.name, 8, "NOME DE DINHEIRO")},
    {kChequeRequired, QX_FLAG(cheque_key.value_required)},
    {kChequeChange, QX_FLAG(cheque_key.change_allowed)},
    {kChequeLowerRefused, QX_FLAG(cheque_key.lower_value_refused)},
    {kChequeLimit, QX_TEXT(cheque_key.limit, 8, "LIMITE DE CHEQUE")},
    {kChequeName, QX_TEXT(cheque_key.name, 8, "NOME DE CHEQUE")},
    {kCardRequired, QX_FLAG(card_key.value_required)},
    {kCardChange, QX_FLAG(card_key.change_allowed)},
    {kCardLowerRefused, QX_FLAG(card_key.lower_value_refused)},
    {kCardLimit, QX_TEXT(card_key.limit, 8, "LIMITE DE CARTÃO")},
    {kCardName, QX_TEXT(card_key.name, 8, "NOME DE CARTÃO")},
    {kVoidReceiptDisabled, QX_FLAG(void_receipt_key.disabled)},
    {kVoidReceiptLimit, QX_TEXT(void_receipt_key.limit, 8, "LIMITE DE CANC CUPOM")},
    {kVoidReceiptName, QX_TEXT(void_receipt_key.name, 8, "NOME DE CANC CUPOM")},
    {kVoidItemLimit, QX_TEXT(void_item_key.limit, 8, "LIMITE DE CANC ÚLTIMO ITEM")},
    {kDiscountOpen, QX_FLAG(discount_pct_key.open)},
    {kDiscountPercent, QX_TEXT(discount_pct_key.percent, 5, "PERCENTUAL DE DESCONTO")},
    {kDiscountName, QX_TEXT(discount_pct_key.name, 8, "NOME DE DESCONTO %")},
    {kSurchargeOpen, QX_FLAG(surcharge_pct_key.open)},
    {kSurchargePercent, QX_TEXT(surcharge_pct_key.percent, 5, "PERCENTUAL DE ACRÉSCIMO")},
    {kSurchargeName, QX_TEXT(surcharge_pct_key.name, 8, "NOME DE ACRÉSCIMO %")},
    {kDiscountValueOpen, QX_FLAG(discount_value_key.open)},
    {kDiscountValue, QX_TEXT(discount_value_key.value, 5, "VALOR DO DESCONTO")},
    {kDiscountValueName, QX_TEXT(discount_value_key.name, 8, "NOME DE VALOR DO DESCONTO")},
    {kExchangeRate, QX_TEXT(currency_key.exchange_rate, 7, "CÂMBIO")},
    {kRateDecimals, QX_TEXT(currency_key.rate_decimals, 1, "CASAS DECIMAIS DO CÂMBIO")},
};

#undef QX_FLAG
#undef QX_TEXT

// The key names, which the register prints: each shows the live hint.
constexpr int kNameFields[] = {kCashName,     kChequeName,    kCardName,         kVoidReceiptName,
                               kDiscountName, kSurchargeName, kDiscountValueName};

bool IsNameField(int id) {
  for (int name : kNameFields)
    if (name == id) return true;
  return false;
}

// The fields whose digits have implied decimals: each shows what they are worth.
struct AmountField {
  int id;
  AmountKind kind;
};

constexpr AmountField kAmountFields[] = {
    {kCashLimit, AmountKind::kCents},          {kChequeLimit, AmountKind::kCents},
    {kCardLimit, AmountKind::kCents},          {kVoidReceiptLimit, AmountKind::kCents},
    {kVoidItemLimit, AmountKind::kCents},      {kDiscountPercent, AmountKind::kPercent},
    {kSurchargePercent, AmountKind::kPercent}, {kDiscountValue, AmountKind::kCents},
};

// The checks of "Salvar", in the order the user meets their messages.
enum class Check {
  kLongerThan,           // the field holds more than `limit` characters
  kNotDigits,            // the field holds a character that is not a digit
  kRateWithoutDecimals,  // exchange rate given, decimal places empty
  kDecimalsWithoutRate,  // decimal places given, exchange rate empty
};

struct SaveStep {
  int id;
  Check check;
  std::size_t limit;
  std::string_view message;  // UTF-8
};

constexpr SaveStep kSaveSteps[] = {
    {kDiscountPercent, Check::kLongerThan, 5, "ERRO - DESCONTO EXCEDE 5 DIGITOS"},
    {kDiscountPercent, Check::kNotDigits, 0, "ERRO - PERCENTUAL DESCONTO NÃO É NUMÉRICO"},
    {kSurchargePercent, Check::kLongerThan, 5, "ERRO - ACRÉSCIMO EXCEDE 5 DIGITOS"},
    {kSurchargePercent, Check::kNotDigits, 0, "ERRO - PERCENTUAL ACRÉSCIMO NÃO É NUMÉRICO"},
    {kDiscountValue, Check::kLongerThan, 5, "ERRO - VALOR DO DESCONTO EXCEDE 5 DÍGITOS"},
    {kExchangeRate, Check::kLongerThan, 7, "ERRO - CAMBIO EXCEDE 7 DÍGITOS"},
    {kRateDecimals, Check::kLongerThan, 1, "ERRO - CASAS DECIMAIS DO CÂMBIO EXCEDE 1 DÍGITO"},
    {kExchangeRate, Check::kRateWithoutDecimals, 0,
     "ERRO - INFORMOU CAMBIO, MAS FALTA CASAS DECIMAIS"},
    {kExchangeRate, Check::kDecimalsWithoutRate, 0,
     "ERRO - TEM CASAS DECIMAIS, MAS CAMBIO NAO INFORMADO"},
    {kCashLimit, Check::kLongerThan, 8, "ERRO - VALOR EM DINHEIRO EXCEDE 8 DÍGITOS"},
    {kChequeLimit, Check::kLongerThan, 8, "ERRO - VALOR EM CHEQUE EXCEDE 8 DÍGITOS"},
    {kCardLimit, Check::kLongerThan, 8, "ERRO - VALOR EM CARTAO EXCEDE 8 DÍGITOS"},
    {kVoidReceiptLimit, Check::kLongerThan, 8, "ERRO - VALOR EM CANC CUPOM EXCEDE 8 DÍGITOS"},
    {kVoidItemLimit, Check::kLongerThan, 8, "ERRO - VALOR EM CANC ULT ITEM EXCEDE 8 DÍGITOS"},
    {kCashName, Check::kLongerThan, 8, "ERRO - NOME DE DINHEIRO EXCEDE 8 CARACTERES"},
    {kChequeName, Check::kLongerThan, 8, "ERRO - NOME DE CHEQUE EXCEDE 8 CARACTERES"},
    {kCardName, Check::kLongerThan, 8, "ERRO - NOME DE CARTAO EXCEDE 8 CARACTERES"},
    {kVoidReceiptName, Check::kLongerThan, 8, "ERRO - NOME DE CANC CUPOM EXCEDE 8 CARACTERES"},
    {kDiscountName, Check::kLongerThan, 8, "ERRO - NOME DE DESCONTO % EXCEDE 8 CARACTERES"},
    {kSurchargeName, Check::kLongerThan, 8, "ERRO - NOME DE ACRESC % EXCEDE 8 CARACTERES"},
    {kDiscountValueName, Check::kLongerThan, 8, "ERRO - NOME DE DESC VALOR EXCEDE 8 CARACTERES"},
};

bool StepFails(const FormView& view, const SaveStep& step) {
  const std::string text = view.GetText(step.id, kCheckReadLength);
  switch (step.check) {
    case Check::kLongerThan:
      return text.size() > step.limit;
    case Check::kNotDigits:
      return !IsAllDigits(text, static_cast<int>(text.size()));
    case Check::kRateWithoutDecimals:
      return !text.empty() && view.GetText(kRateDecimals, kCheckReadLength).empty();
    case Check::kDecimalsWithoutRate:
      return text.empty() && !view.GetText(kRateDecimals, kCheckReadLength).empty();
  }
  return false;
}

// The register places the exchange rate's decimal point at most 7 digits from the right:
// the decimal places are empty (no rate) or one digit from 0 to 7.
bool RateDecimalsInRange(std::string_view text) {
  return text.empty() || (text.size() == 1 && text[0] >= '0' && text[0] <= '7');
}

// ---- The form template ----------------------------------------------------------------

constexpr std::string_view kHelpCashRequired =
    " Se deixar marcado o operador deverá \n entrar sempre com o valor recebido em DINHEIRO.";
constexpr std::string_view kHelpCashChange =
    " Se deixar marcado, o operador poderá \n entrar com qualquer valor em DINHEIRO.";
constexpr std::string_view kHelpCashLowerRefused =
    " Se deixar marcado o operador \n NÃO poderá entrar com valor menor em DINHEIRO.";
constexpr std::string_view kHelpCashLimit =
    " Informar o valor máximo em DINHEIRO \n que poderá ser recebido pelo operador em uma "
    "venda.\n Deixando vazio ou com zeros não há limite.";
constexpr std::string_view kHelpCashName = " Informar o nome do meio de pagamento DINHEIRO.";
constexpr std::string_view kHelpChequeRequired =
    " Se deixar marcado o operador deverá \n entrar sempre com o valor recebido em CHEQUE.";
constexpr std::string_view kHelpChequeChange =
    " Se deixar marcado, o operador poderá \n entrar com qualquer valor em CHEQUE.";
constexpr std::string_view kHelpChequeLowerRefused =
    " Se deixar marcado o operador \n NÃO poderá entrar com valor menor em CHEQUE.";
constexpr std::string_view kHelpChequeLimit =
    " Informar o valor máximo em CHEQUE \n que poderá ser recebido pelo operador em uma "
    "venda.\n Deixando vazio ou com zeros não há limite.";
constexpr std::string_view kHelpChequeName = " Informar o nome do meio de pagamento CHEQUE.";
constexpr std::string_view kHelpCardRequired =
    " Se deixar marcado o operador deverá \n entrar sempre com o valor recebido em CARTAO.";
constexpr std::string_view kHelpCardChange =
    " Se deixar marcado, o operador poderá \n entrar com qualquer valor em CARTAO.";
constexpr std::string_view kHelpCardLowerRefused =
    " Se deixar marcado o operador \n NÃO poderá entrar com valor menor em CARTAO.";
constexpr std::string_view kHelpCardLimit =
    " Informar o valor máximo em CARTAO \n que poderá ser recebido pelo operador em uma "
    "venda.\n Deixando vazio ou com zeros não há limite.";
constexpr std::string_view kHelpCardName = " Informar o nome do meio de pagamento CARTAO.";
constexpr std::string_view kHelpVoidReceiptDisabled =
    " Se estiver marcado, a tecla de cancelamento será desativada.";
constexpr std::string_view kHelpVoidReceiptLimit =
    " Informe o valor máximo que um cupom de venda poderá ser.\n CANCELADO.\n Deixando vazio "
    "ou com zeros não há limite. \n Por exemplo: se o total da venda for R$ 10,00 e o valor\n "
    "programado igual a R$ 9,99 então o cupom não poderá ser\n cancelado porque excedeu em 1 "
    "centavo o limite. Deverá ser\n então finalizado em DINHEIRO. Use a função VOID para\n "
    "negativar o cupom.";
constexpr std::string_view kHelpVoidItemLimit =
    " Não aceitará cancelar o último item impresso se o seu valor\n exceder o valor máximo "
    "informado aqui.\n Deixando vazio ou com zeros não há limite. \n Por exemplo: Se o preço "
    "total do último item registrado for\n R$ 2,00 e o limite for R$ 1,99, então o item não "
    "poderá ser\n cancelado.";
constexpr std::string_view kHelpVoidReceiptName = " Informar o nome do CANCELAMENTO.";
constexpr std::string_view kHelpDiscountOpen =
    " Se deixar marcado, o registro do desconto \n é possível se o operador informar na venda "
    "\n o seu percentual.";
constexpr std::string_view kHelpDiscountPercent =
    " O formato do percentual é composto de 5 dígitos \n no formato XX.XXX sem o ponto "
    "decimal.\n Por exemplo: se a alíquota for 10%, digite 10000;\n se for 5.55%, entre 05550; "
    "se for 99.999%, entrar 99999.\n Este `%' será o desconto máximo permitido se a \n tecla "
    "for configurada como valor aberto. Se for \n configurada como fixo, o valor será "
    "descontado \n automaticamente quando for pressionada apenas a \n tecla de desconto (-%). "
    "\n Deixando vazio ou com zeros não há limite nem valor automático.";
constexpr std::string_view kHelpDiscountName = " Informar o nome do DESCONTO.";
constexpr std::string_view kHelpSurchargeOpen =
    " Se deixar marcado, o registro do acréscimo \n é possível se o operador informar na venda "
    "\n o seu percentual.";
constexpr std::string_view kHelpSurchargePercent =
    " O formato do percentual é composto de 5 dígitos \n no formato XX.XXX sem o ponto "
    "decimal.\n Por exemplo: se a alíquota for 10%, digite 10000;\n se for 5.55%, entre 05550; "
    "se for 99.999%, entrar 99999.\n Este `%' será o acréscimo máximo permitido se a \n tecla "
    "foi configurada como valor aberto. Se foi \n configurada como fixo, o valor será "
    "acrescido \n automaticamente quando for pressionada apenas a \n tecla de acréscimo (+%). "
    "\n Deixando vazio ou com zeros não há limite nem valor automático.";
constexpr std::string_view kHelpSurchargeName = " Informar o nome do ACRÉSCIMO.";
constexpr std::string_view kHelpDiscountValueOpen =
    " Se deixar marcado, o registro do desconto em valor \n é possível se o operador informá-lo "
    "na venda.";
constexpr std::string_view kHelpDiscountValue =
    "Informe o valor do desconto.\n Este valor será o desconto máximo permitido se a \n tecla "
    "foi configurada como valor aberto. Se foi \n configurada como fixo, o valor será "
    "descontado \n automaticamente quando for pressionada apenas a \n tecla de desconto em "
    "valor [EMPREGADO -]. \n Digitando zero não existirá limite nem desconto automático.";
constexpr std::string_view kHelpExchangeRate =
    " Entre com a taxa de conversão até 7 dígitos sem \n o ponto decimal. Exemplo \"0625\".";
constexpr std::string_view kHelpRateDecimals =
    " Entre com um dígito de 0 a 7 que indicará \n a posição do ponto decimal. Veja o exemplo "
    "sobre a \n programação da taxa de câmbio ao lado. ";

constexpr std::string_view kLimitLabel = "Valor limite:";
constexpr std::string_view kNameLabel = "Nome:";
constexpr std::string_view kPercentLabel = "Percentual = 99.999 %";
constexpr std::string_view kOpenAtSaleLabel = "Marca se aberto na venda";

constexpr int kGroupWidth = 170;
constexpr int kLeftColumn = 5;
constexpr int kMiddleColumn = 180;
constexpr int kRightColumn = 355;

struct PaymentGroup {
  std::string_view title;
  int x;
  int required, change, lower_refused, limit, name;
  std::string_view required_label, change_label, lower_refused_label;
  std::string_view required_help, change_help, lower_refused_help, limit_help, name_help;
};

// A labelled field at row y inside a group at x: label at the left, field beside it.
void AddGroupField(std::vector<ControlTemplate>& c, int gx, int y, int id, std::string_view label,
                   int label_width, int field_width, std::string_view help, bool digits_only) {
  AddLabelledField(c, id, label, {gx + 6, y + 2, label_width, 8}, help,
                   {gx + 10 + label_width, y, field_width, 12}, digits_only);
}

// An amount field at row y inside a group at x, with its reading between the field and the
// group's right edge.
void AddAmountField(std::vector<ControlTemplate>& c, int gx, int y, int id, std::string_view label,
                    int label_width, int field_width, std::string_view help) {
  AddGroupField(c, gx, y, id, label, label_width, field_width, help, true);
  const int x = gx + 12 + label_width + field_width;
  c.push_back(AmountReadingControl(id, {x, y + 2, gx + kGroupWidth - 4 - x, 9}));
}

// Eight digits of a limit fit in this width, which leaves room for the reading.
constexpr int kLimitFieldWidth = 44;
// Five digits of a percentage or of the value discount.
constexpr int kShortAmountWidth = 30;

void AddHint(std::vector<ControlTemplate>& c, int gx, int y, int name_id) {
  c.push_back(RegisterHintControl(name_id, {gx + 6, y, kGroupWidth - 12, 16}));
}

void AddPaymentGroup(std::vector<ControlTemplate>& c, const PaymentGroup& g) {
  constexpr int y = 4;
  c.push_back(GroupBox(g.title, {g.x, y, kGroupWidth, 122}));
  c.push_back(CheckBox(g.required, g.required_label, g.required_help,
                       {g.x + 6, y + 11, kGroupWidth - 12, 18}));
  c.push_back(
      CheckBox(g.change, g.change_label, g.change_help, {g.x + 6, y + 31, kGroupWidth - 12, 18}));
  c.push_back(CheckBox(g.lower_refused, g.lower_refused_label, g.lower_refused_help,
                       {g.x + 6, y + 51, kGroupWidth - 12, 18}));
  AddAmountField(c, g.x, y + 73, g.limit, kLimitLabel, 50, kLimitFieldWidth, g.limit_help);
  AddGroupField(c, g.x, y + 89, g.name, kNameLabel, 50, 64, g.name_help, false);
  AddHint(c, g.x, y + 104, g.name);
}

// The discount and surcharge groups: "open at the sale", an amount and a name.
void AddAdjustmentGroup(std::vector<ControlTemplate>& c, std::string_view title, int x, int y,
                        int open, std::string_view open_help, int amount,
                        std::string_view amount_label, std::string_view amount_help, int name,
                        std::string_view name_help) {
  c.push_back(GroupBox(title, {x, y, kGroupWidth, 76}));
  c.push_back(CheckBox(open, kOpenAtSaleLabel, open_help, {x + 6, y + 11, kGroupWidth - 12, 10}));
  AddAmountField(c, x, y + 25, amount, amount_label, 80, kShortAmountWidth, amount_help);
  AddGroupField(c, x, y + 41, name, kNameLabel, 80, 64, name_help, false);
  AddHint(c, x, y + 56, name);
}

FormTemplate BuildTemplate() {
  FormTemplate form;
  form.resource_id = kFormId;
  form.name = "FunctionKeyEditor";
  form.title = Win1252(kTitle);
  form.width = 530;
  form.height = 298;
  form.font_points = 8;  // the largest form has the smallest font
  std::vector<ControlTemplate>& c = form.controls;

  AddPaymentGroup(
      c, {"DINHEIRO", kLeftColumn, kCashRequired, kCashChange, kCashLowerRefused, kCashLimit,
          kCashName, "Marcar se valor é obrigatório ", "Marcar para aceitar\nvalor menor e maior",
          "Marcar para desabilitar\nvalor menor.", kHelpCashRequired, kHelpCashChange,
          kHelpCashLowerRefused, kHelpCashLimit, kHelpCashName});
  AddPaymentGroup(
      c,
      {"CHEQUE", kMiddleColumn, kChequeRequired, kChequeChange, kChequeLowerRefused, kChequeLimit,
       kChequeName, "Marcar se valor é\nobrigatório.", "Marcar para aceitar\nvalor menor e maior.",
       "Marque para desabilitar\nvalor menor.", kHelpChequeRequired, kHelpChequeChange,
       kHelpChequeLowerRefused, kHelpChequeLimit, kHelpChequeName});
  AddPaymentGroup(
      c, {"CARTÃO", kRightColumn, kCardRequired, kCardChange, kCardLowerRefused, kCardLimit,
          kCardName, "Marque se valor é\nobrigatório.", "Marque para aceitar\nvalor menor e maior.",
          "Marcar para desabilitar\nvalor menor.", kHelpCardRequired, kHelpCardChange,
          kHelpCardLowerRefused, kHelpCardLimit, kHelpCardName});

  // The cancel keys.
  constexpr int row2 = 130;
  c.push_back(GroupBox("CANC CUPOM", {kLeftColumn, row2, kGroupWidth, 76}));
  c.push_back(CheckBox(kVoidReceiptDisabled, "Marca se desabilita tecla", kHelpVoidReceiptDisabled,
                       {kLeftColumn + 6, row2 + 11, kGroupWidth - 12, 10}));
  AddAmountField(c, kLeftColumn, row2 + 25, kVoidReceiptLimit, kLimitLabel, 50, kLimitFieldWidth,
                 kHelpVoidReceiptLimit);
  AddGroupField(c, kLeftColumn, row2 + 41, kVoidReceiptName, kNameLabel, 50, 64,
                kHelpVoidReceiptName, false);
  AddHint(c, kLeftColumn, row2 + 56, kVoidReceiptName);

  constexpr int row3 = 210;
  c.push_back(GroupBox("CANC. ÚLTIMO  ITEM", {kLeftColumn, row3, kGroupWidth, 30}));
  AddAmountField(c, kLeftColumn, row3 + 11, kVoidItemLimit, kLimitLabel, 50, kLimitFieldWidth,
                 kHelpVoidItemLimit);

  AddAdjustmentGroup(c, "DESCONTO", kMiddleColumn, row2, kDiscountOpen, kHelpDiscountOpen,
                     kDiscountPercent, kPercentLabel, kHelpDiscountPercent, kDiscountName,
                     kHelpDiscountName);
  AddAdjustmentGroup(c, "ACRÉSCIMO", kRightColumn, row2, kSurchargeOpen, kHelpSurchargeOpen,
                     kSurchargePercent, kPercentLabel, kHelpSurchargePercent, kSurchargeName,
                     kHelpSurchargeName);
  AddAdjustmentGroup(c, "VALOR DO DESCONTO", kMiddleColumn, row3, kDiscountValueOpen,
                     kHelpDiscountValueOpen, kDiscountValue, "Valor: ", kHelpDiscountValue,
                     kDiscountValueName, kHelpDiscountName);

  // The foreign currency.
  c.push_back(GroupBox("MOEDA", {kRightColumn, row3, kGroupWidth, 76}));
  AddGroupField(c, kRightColumn, row3 + 11, kExchangeRate, "Câmbio", 30, 50, kHelpExchangeRate,
                true);
  AddGroupField(c, kRightColumn, row3 + 27, kRateDecimals, "Quantidade de casas decimais:", 110, 16,
                kHelpRateDecimals, true);
  c.push_back(Note("Exemplo: um dolar = R$ 1,60. US$ 1,00/R$ 1,60 = 0625    3",
                   {kRightColumn + 6, row3 + 45, kGroupWidth - 12, 24}));

  c.push_back(SaveButton({kLeftColumn + 15, 262, 60, 14}));
  c.push_back(ExitButton({kLeftColumn + 95, 262, 60, 14}));
  return form;
}

// ---- The presenter ----------------------------------------------------------------------

class FunctionKeyEditor : public Presenter {
 public:
  FunctionKeyEditor(AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

  const FormTemplate& Template() const override {
    static const FormTemplate form = BuildTemplate();
    return form;
  }

  void OnOpen(FormView& view) override {
    view.SetTitle(Win1252(kTitle));
    for (const KeyField& f : kKeyFields) {
      if (f.flag)
        SetCheckFlag(view, f.id, f.flag(state_.params));
      else
        view.SetText(f.id, f.text(state_.params));
    }
    for (int name : kNameFields) UpdateRegisterHint(view, name);
    for (const AmountField& a : kAmountFields) UpdateAmountReading(view, a.id, a.kind);
    view.SetFocus(kCashRequired);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdOk) {
      Save(view);
    } else if (id == kIdCancel) {
      view.Close(0);
    }
  }

  void OnTextChanged(FormView& view, int id) override {
    if (IsNameField(id)) UpdateRegisterHint(view, id);
    for (const AmountField& a : kAmountFields)
      if (a.id == id) UpdateAmountReading(view, id, a.kind);
  }

 private:
  void Save(FormView& view) {
    for (const SaveStep& step : kSaveSteps) {
      if (StepFails(view, step)) {
        ShowError(desktop_, Win1252(step.message));
        return;
      }
    }
    // The parameter file separates its fields with '|': no stored text may hold one.
    for (const KeyField& f : kKeyFields) {
      if (f.text && RefuseSeparator(desktop_, view, f.id, view.GetText(f.id, f.width), f.name))
        return;
    }
    if (!RateDecimalsInRange(view.GetText(kRateDecimals, kCheckReadLength))) {
      ShowError(desktop_, Win1252("ERRO - CASAS DECIMAIS: 0 A 7"));
      view.SetFocus(kRateDecimals);
      return;
    }
    for (const KeyField& f : kKeyFields) {
      if (f.flag)
        f.flag(state_.params) = GetCheckFlag(view, f.id);
      else
        f.text(state_.params) = view.GetText(f.id, f.width);
    }
    state_.params_modified = true;
    view.Close(1);
  }

  AppState& state_;
  Desktop& desktop_;
};

}  // namespace

std::unique_ptr<Presenter> MakeFunctionKeyEditor(AppState& state, Desktop& desktop) {
  return std::make_unique<FunctionKeyEditor>(state, desktop);
}

}  // namespace qx::ui
