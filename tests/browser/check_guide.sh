#!/usr/bin/env bash
# The guide as a real browser shows it: writes the guide of a sample parameter file, prints
# it to PDF with headless Chromium and reads the PDF's text back. Checks that the fixed titles
# keep their accents (the page declares no character set, so this is what the browser makes
# of the Windows-1252 bytes), that every programming section starts on a page of its own and
# in the guide's order, and that "F   I   M" closes the guide.
#
# Usage: check_guide.sh MAKE_GUIDE SAMPLE.par WORK_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (no Chromium or poppler-utils on this machine;
# scripts/test.sh installs both, and there a missing tool is a failure, not a skip).
set -uo pipefail
# Bytes, not characters: the sample is Windows-1252, the extracted text UTF-8.
export LC_ALL=C

if [ $# -ne 3 ]; then
  echo "uso: $0 MAKE_GUIDE AMOSTRA.par PASTA_DE_TRABALHO" >&2
  exit 2
fi
make_guide=$1
sample=$2
work=$3

chromium_bin=${QX_CHROMIUM:-/usr/bin/chromium}
missing=()
[ -x "$chromium_bin" ] || missing+=("chromium ($chromium_bin)")
for tool in pdftotext pdfinfo iconv timeout; do
  command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Faltam ${missing[*]}: instale os pacotes chromium e poppler-utils (scripts/install-deps.sh)."
  if [ "${QX_REQUIRE_BROWSER:-0}" = 1 ]; then
    echo "FALHOU: QX_REQUIRE_BROWSER=1 e a verificação no navegador não pode rodar."
    exit 1
  fi
  echo "PULADO: verificação do guia no navegador não executada."
  exit 77
fi

failures=0
fail() {
  echo "FALHOU: $*"
  failures=$((failures + 1))
}

rm -rf "$work"
mkdir -p "$work"
guide=$work/GUIA.HTM
pdf=$work/GUIA.pdf

if ! "$make_guide" "$sample" "$guide"; then
  echo "FALHOU: o guia de $sample não foi escrito."
  exit 1
fi

# A throwaway profile and home, so that nothing of the user's browser is read or written, and
# no network: only the local file is opened and every background service is off. Chromium
# runs as root in CI containers, hence --no-sandbox. timeout ends the whole process group.
profile=$(mktemp -d "${TMPDIR:-/tmp}/qx-chromium.XXXXXX")
trap 'rm -rf "$profile"' EXIT
HOME=$profile XDG_CONFIG_HOME=$profile XDG_CACHE_HOME=$profile \
  timeout -k 5 60 "$chromium_bin" --headless --no-sandbox --disable-gpu --disable-quic \
    --no-first-run --disable-background-networking --disable-component-update \
    --disable-sync --disable-dev-shm-usage --disable-extensions --no-pdf-header-footer \
    --user-data-dir="$profile/data" --print-to-pdf="$pdf" "file://$guide" \
    >"$work/chromium.log" 2>&1 </dev/null
status=$?
if [ $status -ne 0 ]; then
  [ $status -ne 124 ] || echo "O Chromium não terminou em 60 segundos."
  echo "FALHOU: o Chromium não imprimiu o guia (código $status); saída em $work/chromium.log:"
  tail -n 20 "$work/chromium.log"
  exit 1
fi
if [ ! -s "$pdf" ]; then
  echo "FALHOU: o Chromium não gerou $pdf."
  exit 1
fi

pages=$(pdfinfo "$pdf" | sed -n 's/^Pages: *//p')
# -layout keeps each line of the page as one line of text, however wide its blanks.
pdftotext -layout -enc UTF-8 "$pdf" "$work/GUIA.txt" || { echo "FALHOU: pdftotext"; exit 1; }

# The page's lines with every run of blanks (non-breaking ones included) made one blank,
# trimmed, empty lines dropped; the form feed between pages becomes a line "\f" of its own.
sed -e 's/\xc2\xa0/ /g' -e 's/\f/\n\\f\n/g' "$work/GUIA.txt" |
  sed -e 's/[[:space:]]\+/ /g' -e 's/^ //' -e 's/ $//' | grep -v '^$' >"$work/GUIA.lines"
# The same lines without any blank and without the equals signs of the sub-list titles: text
# extraction guesses the blanks of letter-spaced titles ("O P Ç Ã O") and wide gaps from the
# glyph positions, so titles are compared letter by letter.
compact() { sed -e 's/[[:space:]=]//g'; }
compact <"$work/GUIA.lines" >"$work/GUIA.compact"
tr -d '\n' <"$work/GUIA.compact" >"$work/GUIA.flat"

# 1. The fixed titles and notes, accents intact.
expect_line() {  # a line exactly so, blanks included
  grep -qxF -- "$1" "$work/GUIA.lines" || fail "linha ausente no PDF: \"$1\""
}
expect_title() {  # a line with exactly these letters
  grep -qxF -- "$(compact <<<"$1")" "$work/GUIA.compact" || fail "título ausente no PDF: \"$1\""
}
expect_text() {  # these letters somewhere, across lines
  grep -qF -- "$(compact <<<"$1")" "$work/GUIA.flat" || fail "texto ausente no PDF: \"$1\""
}
expect_line "Programação QX-4810"
expect_line "Roteiro de Programação"
expect_line "SEQUÊNCIA DE PROGRAMAÇÃO DO RELÓGIO"
expect_line "LISTAGEM DE PARÂMETROS"
expect_title "O P Ç Ã O       S I S T E M A"
expect_title "OPÇÃO  IMPRESSÃO"
expect_title "PROGRAMANDO TECLAS DE FUNÇÃO"
expect_text "Use \"CONTROL +\" para ampliar esta página e \"CONTROL -\" para reduzir."
expect_text "Se ao girar a chave para a posição REG a Caixa apitar e mostrar erro (E00)"
expect_text "visor a mensagem “FECHADO” quando a chave estiver na posição REG,"
expect_text "Aparecendo  0,00   no visor vamos girar a CHAVE na POSIÇÃO \"P G M\"."
expect_text "Para corrigir o relógio digite:"
expect_text "M M D D A A        [X/HORA]   (M=mês D=dia A=ano)"
expect_text "6  [X/HORA]     (lista cabeçalho e rodapé)"
expect_text "(sai da programação de sistema)"
# The sample's own texts as the page shows them, accents and markup characters as typed: the
# notes "(NAME)" of the operators and function keys (the currency key's note is fixed), the
# notes "(LINE)" of the receipt lines, and the key boxes of the departments whose names fit
# one box line (at most 8 characters). Fields are read from the sample's Windows-1252 bytes
# (one byte a character), then shown in UTF-8 like the PDF text.
par_text() { tr -d '\r' <"$sample" | grep -a "$1"; }
to_utf8() { iconv -f WINDOWS-1252 -t UTF-8; }
user_texts=0
while IFS= read -r field; do
  [ -n "$field" ] || continue
  expect_text "($(to_utf8 <<<"$field"))"
  user_texts=$((user_texts + 1))
done < <(par_text '^P0810|\|^P0700|\|^P0750|' | cut -d'|' -f2- | tr '|' '\n'
         par_text '^P0080|[1-46-8]|' | cut -d'|' -f3)
while IFS= read -r name; do
  [ ${#name} -le 8 ] || continue
  expect_text "$(to_utf8 <<<"$name")"
  user_texts=$((user_texts + 1))
done < <(par_text '^P0530|' | cut -d'|' -f3)
[ $user_texts -gt 0 ] || fail "a amostra $sample não tem operadores, cabeçalho, rodapé nem departamentos"

# Mojibake either way: UTF-8 bytes read as Windows-1252, or bytes the browser could not decode.
if grep -qE 'Ã[§£‡ƒ©]|�' "$work/GUIA.lines"; then
  fail "acentos deformados no PDF:"
  grep -nE 'Ã[§£‡ƒ©]|�' "$work/GUIA.lines" | head -n 5
fi

# 2. One page per programming section. Every title of the guide (section titles and
# "=== sub-list ===" titles, blanks and equals signs dropped), marked 1 when a page break
# comes before it (with nothing but line breaks and a comment between).
iconv -f WINDOWS-1252 -t UTF-8 "$guide" | tr -d '\r' |
  awk 'BEGIN { brk = 0 }
       /page-break-after:always/ { brk = 1; next }
       /<U> / { t = $0; sub(/.*<U> /, "", t); sub(/<\/U>.*/, "", t); print brk "\t" t; brk = 0 }' |
  sed -e 's/&nbsp;//g' -e 's/[[:space:]=]//g' -e 's/^\([01]\)/\1\t/' >"$work/titles.txt"
breaks=$(grep -o 'page-break-after:always' "$guide" | wc -l)
# Every section the guide can hold, in the guide's order: the title that opens it.
all_sections=(
  "NÚMERO DA REGISTRADORA"
  "O P Ç Ã O       S I S T E M A"
  "OPÇÃO  IMPRESSÃO"
  "PROGRAMANDO TECLAS DE FUNÇÃO"
  "Nome das teclas"
  "Valor limite ou fixo das teclas"
  "PROGRAMANDO DEPARTAMENTOS"
  "Preço limite ou fixo dos departamentos"
  "Nome dos departamentos"
  "PROGRAMANDO PRODUTOS"
  "Preço limite ou fixo dos produtos"
  "Nome dos produtos"
  "Vincula um produto a um departamento"
  "PROGRAMANDO OPERADORES"
  "PROGRAMANDO CABEÇALHO"
  "PROGRAMANDO RODAPÉ"
)
for title in "${all_sections[@]}"; do compact <<<"$title"; done >"$work/all_sections.txt"
# The sections of this guide, in the order written.
cut -f2 "$work/titles.txt" | grep -xF -f "$work/all_sections.txt" >"$work/sections.txt"
sections=$(wc -l <"$work/sections.txt")
if [ "$sections" -lt 12 ]; then
  fail "a amostra $sample dá só $sections seções; esperadas ao menos 12"
fi
grep -xF -f "$work/sections.txt" "$work/all_sections.txt" | cmp -s - "$work/sections.txt" ||
  fail "seções fora da ordem do guia: $(tr '\n' ' ' <"$work/sections.txt")"
while IFS=$'\t' read -r brk title; do
  if grep -qxF -- "$title" "$work/all_sections.txt"; then
    [ "$brk" = 1 ] || fail "a seção \"$title\" não tem quebra de página antes dela"
  elif [ "$brk" = 1 ]; then
    fail "quebra de página antes de \"$title\", que não abre seção"
  fi
done <"$work/titles.txt"
[ "$breaks" -eq "$sections" ] || fail "$breaks quebras de página no guia para $sections seções"

# The first line of every page of the PDF.
awk 'BEGIN { first = 1 } $0 == "\\f" { first = 1; next } first { print; first = 0 }' \
  "$work/GUIA.compact" >"$work/page_tops.txt"
printed=$(wc -l <"$work/page_tops.txt")
# The preamble is the first page; each section opens a page after the previous section's.
if [ "$(head -n 1 "$work/page_tops.txt")" != "ProgramaçãoQX-4810" ]; then
  fail "a primeira página não começa pelo título do guia: \"$(head -n 1 "$work/page_tops.txt")\""
fi
if [ "$pages" -lt $((sections + 1)) ]; then
  fail "$pages páginas para $sections seções e o preâmbulo"
fi
# Every section title tops a page, in the guide's order; the pages between two of them
# continue the longer sections.
tail -n +2 "$work/page_tops.txt" | grep -xF -f "$work/sections.txt" >"$work/section_tops.txt"
if ! cmp -s "$work/sections.txt" "$work/section_tops.txt"; then
  fail "as seções não abrem cada uma a sua página; primeira linha de cada página:"
  cat "$work/page_tops.txt"
fi
# And no section title stands anywhere else.
while IFS= read -r title; do
  count=$(grep -cxF -- "$title" "$work/GUIA.compact")
  [ "$count" -eq 1 ] || fail "título \"$title\" aparece $count vezes no texto do PDF"
done <"$work/sections.txt"

# 3. "F   I   M" closes the guide (its blanks are non-breaking; the text shows one blank each).
last=$(grep -v '^\\f$' "$work/GUIA.lines" | tail -n 1)
[ "$last" = "F I M" ] || fail "o guia não termina em \"F I M\": \"$last\""

echo "Guia de $(basename "$sample"): $sections seções, $breaks quebras de página, $pages páginas no PDF ($printed com texto)."
if [ $failures -gt 0 ]; then
  echo "$failures falha(s); guia, PDF e texto em $work"
  exit 1
fi
echo "OK"
