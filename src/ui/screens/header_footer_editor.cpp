// The header and footer editor: the six lines the register prints at the top of every
// receipt and the six at its bottom. Each field takes at most the 24 characters a line holds,
// so nothing is cut unseen; nothing else is checked but the parameter file's separator.
#include <array>
#include <string>
#include <string_view>

#include "ui/forms/control_builders.h"
#include "ui/screens/editor_common.h"
#include "ui/screens/editors.h"
#include "ui/screens/register_hint.h"

namespace qx::ui {
namespace {

constexpr int kFormId = 108;
constexpr std::string_view kTitle = "QX-4810  PROGRAMAÇÃO  CABEÇALHO/RODAPÉ";

// Header lines 1 to 6 and footer lines 1 to 6, top to bottom.
constexpr std::array<int, kReceiptLineCount> kHeaderFields = {1005, 1052, 1057, 1059, 1029, 1062};
constexpr std::array<int, kReceiptLineCount> kFooterFields = {1065, 1067, 1068, 1016, 1017, 1018};

constexpr int kLineWidth = static_cast<int>(kReceiptLineLen);

constexpr std::string_view kLineHelp =
    " Informe até 24 caracteres por linha. \n Use o caracter \"{\" (ABRE CHAVES)   \n para "
    "ativar  ou  desativar EXPANDIDO. ";
constexpr std::string_view kNote =
    "NOTA: o caractere \"{\" (ABRE CHAVES) amplia a letra seguinte.\n"
    "Exemplo: KORVA ampliado se escreve {K{O{R{V{A";

// Each line field with its hint below it, in a frame.
void AddFrame(FormTemplate& form, std::string_view title, int x,
              const std::array<int, kReceiptLineCount>& fields) {
  constexpr int kTop = 4;
  constexpr int kRowHeight = 22;
  form.controls.push_back(GroupBox(title, {x, kTop, 131, 14 + kReceiptLineCount * kRowHeight}));
  for (int i = 0; i < kReceiptLineCount; ++i) {
    const int y = kTop + 12 + i * kRowHeight;
    const int id = fields[static_cast<std::size_t>(i)];
    form.controls.push_back(TextField(id, kLineHelp, {x + 6, y, 119, 12}, false, kLineWidth));
    form.controls.push_back(RegisterHintControl(id, {x + 6, y + 13, 119, 8}));
  }
}

FormTemplate BuildTemplate() {
  FormTemplate form;
  form.resource_id = kFormId;
  form.name = "HeaderFooterEditor";
  form.title = Win1252(kTitle);
  form.width = 278;
  form.height = 186;
  AddFrame(form, "Cabeçalho", 5, kHeaderFields);
  AddFrame(form, "Rodapé", 142, kFooterFields);
  form.controls.push_back(Note(kNote, {5, 152, 268, 16}));
  form.controls.push_back(SaveButton({70, 169, 60, 14}));
  form.controls.push_back(ExitButton({148, 169, 60, 14}));
  return form;
}

// "LINHA 3 DO CABEÇALHO": how a message names a line field (index from 0).
std::string LineName(std::size_t index, std::string_view frame) {
  return "LINHA " + std::to_string(index + 1) + " DO " + std::string(frame);
}

bool IsLineField(int id) {
  for (int f : kHeaderFields)
    if (f == id) return true;
  for (int f : kFooterFields)
    if (f == id) return true;
  return false;
}

class HeaderFooterEditor : public Presenter {
 public:
  HeaderFooterEditor(AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}

  const FormTemplate& Template() const override {
    static const FormTemplate form = BuildTemplate();
    return form;
  }

  void OnOpen(FormView& view) override {
    view.SetTitle(Win1252(kTitle));
    for (std::size_t i = 0; i < kHeaderFields.size(); ++i) {
      view.SetText(kHeaderFields[i], state_.params.header_lines[i]);
      UpdateRegisterHint(view, kHeaderFields[i]);
    }
    for (std::size_t i = 0; i < kFooterFields.size(); ++i) {
      view.SetText(kFooterFields[i], state_.params.footer_lines[i]);
      UpdateRegisterHint(view, kFooterFields[i]);
    }
    view.SetFocus(kHeaderFields[0]);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdOk) {
      Save(view);
    } else if (id == kIdCancel) {
      view.Close(0);
    }
  }

  void OnTextChanged(FormView& view, int id) override {
    if (IsLineField(id)) UpdateRegisterHint(view, id);
  }

 private:
  void Save(FormView& view) {
    std::array<std::string, kReceiptLineCount> header;
    std::array<std::string, kReceiptLineCount> footer;
    for (std::size_t i = 0; i < header.size(); ++i) {
      header[i] = view.GetText(kHeaderFields[i], kLineWidth);
      if (RefuseSeparator(desktop_, view, kHeaderFields[i], header[i], LineName(i, "CABEÇALHO")))
        return;
    }
    for (std::size_t i = 0; i < footer.size(); ++i) {
      footer[i] = view.GetText(kFooterFields[i], kLineWidth);
      if (RefuseSeparator(desktop_, view, kFooterFields[i], footer[i], LineName(i, "RODAPÉ")))
        return;
    }
    state_.params.header_lines = header;
    state_.params.footer_lines = footer;
    state_.params_modified = true;
    view.Close(1);
  }

  AppState& state_;
  Desktop& desktop_;
};

}  // namespace

std::unique_ptr<Presenter> MakeHeaderFooterEditor(AppState& state, Desktop& desktop) {
  return std::make_unique<HeaderFooterEditor>(state, desktop);
}

}  // namespace qx::ui
