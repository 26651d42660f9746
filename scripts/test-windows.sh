#!/usr/bin/env bash
# The Windows programs: cross-builds them with mingw-w64, runs the test suites under Wine,
# builds the installer, installs it silently under Wine, checks that the installed batch
# tool writes the same bytes as the Linux build on the sample files, and uninstalls it; then
# installs and uninstalls it once more "só para mim" (no administrator). Everything shipped is
# signed with a throw-away certificate made here, and the signatures are verified.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
build="$root/build/windows"

# The part that runs Wine, under a virtual screen (xvfb-run) of its own.
wine_stage() {
  export WINEPREFIX="$build/wineprefix" WINEDLLOVERRIDES="winemenubuilder.exe=d" WINEDEBUG="-all"
  mkdir -p "$WINEPREFIX"
  # ctest hangs under Wine unless the server is already running, detached from its pipes.
  wineserver -p </dev/null >/dev/null 2>&1 || true
  trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
  wine cmd /c exit </dev/null >/dev/null 2>&1

  echo "== testes sob Wine"
  ctest --preset windows

  echo "== instalador: instalação silenciosa (para todos)"
  local setup="$build/qx4810-1.1.0.0-setup.exe"
  local instdir="$WINEPREFIX/drive_c/Program Files/QX-4810"
  local menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs"
  local key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\QX-4810'
  local korva="$WINEPREFIX/drive_c/KORVA"
  local app_built=0
  [ -n "$(find "$build/src" -name qx4810.exe -print -quit 2>/dev/null)" ] && app_built=1
  rm -rf "$instdir" "$korva"
  local failed=0
  check() {  # check DESCRIPTION COMMAND...
    if "${@:2}" >/dev/null 2>&1; then echo "ok: $1"; else echo "FALHOU: $1"; failed=1; fi
  }
  signed() { osslsigncode verify -CAfile "$build/signing/teste.pem" -in "$1"; }
  check "instalador assinado" signed "$setup"
  wine "$setup" /S </dev/null
  check "qx4810-guide.exe instalado e assinado" signed "$instdir/qx4810-guide.exe"
  check "desinstalador instalado e assinado" signed "$instdir/Desinstalar.exe"
  check "pasta dos clientes (c:\\KORVA) criada" test -d "$korva"
  check "nenhum atalho de desinstalação no menu Iniciar" \
    sh -c "! find '$menu' -iname '*desinstalar*' | grep -q ."
  local value
  for value in "DisplayVersion 1.1.0.0" "UninstallString Desinstalar.exe" "Publisher QX-4810" \
    "DisplayIcon qx4810" "HelpLink ajuda.html" "EstimatedSize 0x"; do
    check "Programas instalados: ${value% *}" \
      sh -c "wine reg query '$key' /v ${value% *} | grep -q '${value#* }'"
  done
  check "página de ajuda instalada" test -f "$instdir/ajuda.html"
  if [ "$app_built" = 1 ]; then
    check "qx4810.exe instalado e assinado" signed "$instdir/qx4810.exe"
    check "atalho do programa no menu Iniciar" test -f "$menu/QX-4810.lnk"
    check "sem atalho na área de trabalho (não marcado)" \
      test ! -e "$WINEPREFIX/drive_c/users/Public/Desktop/QX-4810.lnk"
    check "associação .par (tipo do programa)" sh -c \
      "wine reg query 'HKLM\\Software\\Classes\\QX4810.Parametros\\shell\\open\\command' /ve | grep -q qx4810.exe"
    check "associação .par (OpenWithProgids)" sh -c \
      "wine reg query 'HKLM\\Software\\Classes\\.par\\OpenWithProgids' /v QX4810.Parametros"
  else
    echo "(qx4810.exe não faz parte desta compilação: só a ferramenta de roteiros foi verificada)"
  fi

  echo "== mesmos bytes que a ferramenta do Linux"
  local work
  work="$(mktemp -d)"
  local linux_tool="$root/build/ci/tools/qx4810-guide"
  for sample in tests/data/*.par; do
    local name
    name="$(basename "$sample" .par)"
    for side in linux windows; do
      mkdir -p "$work/$side"
      cp "$sample" "$work/$side/$name.par"
      cp tests/data/small.par "$work/$side/antigo.par"
    done
    local lin_status=0 win_status=0
    (cd "$work/linux" && "$linux_tool" --save "$name-salvo.par" -o "$name.HTM" --since antigo.par \
      --summary "$name-RESUMO.HTM" "$name.par" >/dev/null 2>&1) || lin_status=$?
    (cd "$work/windows" && wine "$instdir/qx4810-guide.exe" --save "$name-salvo.par" \
      -o "$name.HTM" --since antigo.par --summary "$name-RESUMO.HTM" "$name.par" \
      </dev/null >/dev/null 2>&1) || win_status=$?
    check "$name: mesmo código de saída ($lin_status)" test "$lin_status" = "$win_status"
    for out in "$name.HTM" "$name-salvo.par" "$name-RESUMO.HTM"; do
      check "$name: $out idêntico" cmp "$work/linux/$out" "$work/windows/$out"
    done
  done
  # An accented name on the command line, with the guide's name derived from it.
  local accented="caixa ção São João"
  for side in linux windows; do cp tests/data/loja1.par "$work/$side/$accented.par"; done
  (cd "$work/linux" && "$linux_tool" "$accented.par" >/dev/null 2>&1) || true
  (cd "$work/windows" && wine "$instdir/qx4810-guide.exe" "$accented.par" </dev/null >/dev/null 2>&1) || true
  check "nome acentuado: $accented.HTM idêntico" cmp "$work/linux/$accented.HTM" "$work/windows/$accented.HTM"
  rm -rf "$work"

  echo "== desinstalação silenciosa"
  mkdir -p "$korva"
  cp tests/data/loja1.par "$korva/Prog-QX-4810.par"
  uninstall() {  # uninstall FOLDER
    wine "$1/Desinstalar.exe" /S </dev/null
    # The uninstaller finishes from a copy of itself in the temporary folder: wait for it.
    for _ in $(seq 1 60); do
      [ -e "$1/Desinstalar.exe" ] || [ -e "$1/qx4810-guide.exe" ] || break
      sleep 1
    done
  }
  uninstall "$instdir"
  check "programas removidos" sh -c "! test -e '$instdir/qx4810-guide.exe' && ! test -e '$instdir/qx4810.exe'"
  check "pasta de instalação removida" sh -c "! test -e '$instdir'"
  check "atalhos removidos" sh -c "! test -e '$menu/QX-4810.lnk' && ! test -e '$WINEPREFIX/drive_c/users/Public/Desktop/QX-4810.lnk'"
  check "entrada em Programas instalados removida" sh -c "! wine reg query '$key' >/dev/null 2>&1"
  check "associação .par removida" sh -c "! wine reg query 'HKLM\\Software\\Classes\\QX4810.Parametros' >/dev/null 2>&1"
  check "arquivos do cliente (c:\\KORVA) intactos" cmp tests/data/loja1.par "$korva/Prog-QX-4810.par"

  echo "== instalação só para mim (sem administrador)"
  local user_dir
  user_dir="$(wine cmd /c echo %LOCALAPPDATA% </dev/null 2>/dev/null | tr -d '\r')"
  user_dir="$(winepath -u "$user_dir" 2>/dev/null)/Programs/QX-4810"
  local user_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\QX-4810'
  wine "$setup" /S /CurrentUser </dev/null
  check "só para mim: programas na pasta do usuário" test -f "$user_dir/qx4810-guide.exe"
  check "só para mim: nada em Arquivos de Programas" test ! -e "$instdir"
  check "só para mim: entrada do usuário em Programas instalados" \
    sh -c "wine reg query '$user_key' /v UninstallString | grep -q Desinstalar.exe"
  check "só para mim: nada no registro da máquina" sh -c "! wine reg query '$key' >/dev/null 2>&1"
  if [ "$app_built" = 1 ]; then
    check "só para mim: associação .par do usuário" sh -c \
      "wine reg query 'HKCU\\Software\\Classes\\.par\\OpenWithProgids' /v QX4810.Parametros"
  fi
  uninstall "$user_dir"
  check "só para mim: desinstalado" sh -c "! test -e '$user_dir' && ! wine reg query '$user_key' >/dev/null 2>&1"
  check "arquivos do cliente (c:\\KORVA) ainda intactos" cmp tests/data/loja1.par "$korva/Prog-QX-4810.par"
  rm -rf "$korva"
  return "$failed"
}

if [ "${1:-}" = "--wine-stage" ]; then
  wine_stage
  exit
fi

start=$SECONDS
source scripts/packages.sh
scripts/install-deps.sh "${BUILD_PACKAGES[@]}" "${GUI_PACKAGES[@]}" "${TEST_PACKAGES[@]}" \
  "${WINDOWS_PACKAGES[@]}"
echo "== certificado descartável para a assinatura"
signing="$build/signing"
mkdir -p "$signing"
openssl req -x509 -newkey rsa:2048 -nodes -days 2 -subj "/CN=QX-4810 teste" \
  -addext "extendedKeyUsage=codeSigning" -keyout "$signing/teste.key" -out "$signing/teste.pem" \
  2>/dev/null
openssl pkcs12 -export -inkey "$signing/teste.key" -in "$signing/teste.pem" -passout pass: \
  -out "$signing/teste.p12"
echo "== compilação para Windows (mingw-w64)"
cmake --preset windows -DQX_SIGN_PKCS12="$signing/teste.p12" >/dev/null
cmake --build --preset windows
cmake --build --preset windows --target installer
echo "== ferramenta de roteiros do Linux, para a comparação"
cmake --preset ci >/dev/null
cmake --build --preset ci --target qx4810-guide
xvfb-run -a -s "-screen 0 1280x1024x24" "$0" --wine-stage </dev/null
echo "Etapa do Windows concluída em $((SECONDS - start)) s."
