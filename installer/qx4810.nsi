; Installer of the QX-4810 programming assistant for Windows (64-bit), in Portuguese (Brazil).
; Built by the `installer` target of the windows build, which passes:
;   VERSION    1.1.0.0
;   OUTFILE    the installer to write
;   GUIDE_EXE  qx4810-guide.exe, the batch guide tool
;   APP_EXE    qx4810.exe, the desktop program (only when the build has it)
;   HELP_PAGE  the help page that the list of installed programs links to
;   SIGN       (optional) a command that signs the file named after it in place: the installer
;              and its uninstaller are signed as they are written
; Installs "para todos" (Program Files, administrator) or "só para mim" (the user's own
; programs folder, no administrator). The customers' parameter files (c:\KORVA) are never
; touched, not even by the uninstaller; the folder is created for them when missing.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!ifndef VERSION
  !error "VERSION não definido"
!endif
!ifndef OUTFILE
  !define OUTFILE "qx4810-${VERSION}-setup.exe"
!endif
!ifndef GUIDE_EXE
  !error "GUIDE_EXE não definido"
!endif
!ifndef HELP_PAGE
  !error "HELP_PAGE não definido"
!endif

!define PRODUCT "QX-4810"
!define DISPLAY_NAME "Assistente de programação QX-4810"
!define PUBLISHER "Equipe QX-4810"
!define UNINSTALLER "Desinstalar.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QX-4810"
!define SETTINGS_KEY "Software\QX-4810"
!define PROG_ID "QX4810.Parametros"
!define CUSTOMER_FOLDER "C:\KORVA"
!ifdef APP_EXE
  !define ICON_OF_PROGRAM "$INSTDIR\qx4810.exe,0"
!else
  !define ICON_OF_PROGRAM "$INSTDIR\qx4810-guide.exe,0"
!endif

!ifdef SIGN
  !finalize '${SIGN} "%1"' = 0
  !uninstfinalize '${SIGN} "%1"' = 0
!endif

; Both ways of installing: an administrator chooses, anyone else installs only for himself
; (and is never asked for an administrator's password). /AllUsers and /CurrentUser choose on
; the command line.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "QX-4810"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_INSTDIR_REGISTRY_VALUENAME "InstallDir"
; The uninstaller finds the way it was installed by where this value is (HKLM or HKCU).
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_KEY "${SETTINGS_KEY}"
!define MULTIUSER_INSTALLMODE_DEFAULT_REGISTRY_VALUENAME "InstallMode"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_ALLUSERS "Instalar para todos os usuários deste computador (para todos)"
!define MULTIUSER_INSTALLMODEPAGE_TEXT_CURRENTUSER "Instalar só para mim (não exige administrador)"
!define MULTIUSER_INIT_TEXT_ADMINREQUIRED "O ${DISPLAY_NAME} exige um administrador."
!define MULTIUSER_INIT_TEXT_POWERREQUIRED "O ${DISPLAY_NAME} exige um usuário avançado."
!define MULTIUSER_INIT_TEXT_ALLUSERSNOTPOSSIBLE "Sua conta não pode instalar o ${DISPLAY_NAME} para todos os usuários deste computador. Instale só para você."
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

Name "${DISPLAY_NAME}"
Caption "${DISPLAY_NAME} ${VERSION}"
OutFile "${OUTFILE}"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1046 "ProductName" "${DISPLAY_NAME}"
VIAddVersionKey /LANG=1046 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalador do ${DISPLAY_NAME}"
VIAddVersionKey /LANG=1046 "LegalCopyright" ""

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!ifdef APP_EXE
  ; Started as the user who installed, from the folder of the customers' files.
  !define MUI_FINISHPAGE_RUN
  !define MUI_FINISHPAGE_RUN_TEXT "Executar o ${PRODUCT}"
  !define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!endif
!insertmacro MUI_PAGE_WELCOME
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Function .onInit
  SetRegView 64
  !insertmacro MULTIUSER_INIT
FunctionEnd

Function un.onInit
  SetRegView 64
  !insertmacro MULTIUSER_UNINIT
FunctionEnd

!ifdef APP_EXE
Function RunProgram
  SetOutPath "${CUSTOMER_FOLDER}"
  Exec '"$INSTDIR\qx4810.exe"'
FunctionEnd
!endif

Section "Programas (obrigatório)" SecPrograms
  SectionIn RO
  ; The folder where the program proposes the customers' files; it stays on uninstalling.
  CreateDirectory "${CUSTOMER_FOLDER}"
  SetOutPath "$INSTDIR"
!ifdef APP_EXE
  File "/oname=qx4810.exe" "${APP_EXE}"
!endif
  File "/oname=qx4810-guide.exe" "${GUIDE_EXE}"
  File "/oname=ajuda.html" "${HELP_PAGE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"
  WriteRegStr SHCTX "${SETTINGS_KEY}" "InstallMode" "$MultiUser.InstallMode"

  ; The entry in the list of installed programs (HKLM for everyone, HKCU only for this user).
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "${ICON_OF_PROGRAM}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "HelpLink" "$INSTDIR\ajuda.html"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

!ifdef APP_EXE
  ; Started from the shortcut, the program's current folder is the customers' one.
  SetOutPath "${CUSTOMER_FOLDER}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\qx4810.exe" "" "$INSTDIR\qx4810.exe" 0
  SetOutPath "$INSTDIR"
  ; Parameter files open in the program by a double click: the program's own type, offered
  ; for .par files; the default for .par only when no other program has it.
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}" "" "PARAMETROS Arquivo"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\qx4810.exe,0"
  WriteRegStr SHCTX "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\qx4810.exe" "%1"'
  WriteRegStr SHCTX "Software\Classes\.par\OpenWithProgids" "${PROG_ID}" ""
  ReadRegStr $0 SHCTX "Software\Classes\.par" ""
  ${If} $0 == ""
    WriteRegStr SHCTX "Software\Classes\.par" "" "${PROG_ID}"
  ${EndIf}
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!endif
SectionEnd

!ifdef APP_EXE
; Not ticked unless the user wants it.
Section /o "Atalho na área de trabalho" SecDesktop
  SetOutPath "${CUSTOMER_FOLDER}"
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\qx4810.exe" "" "$INSTDIR\qx4810.exe" 0
SectionEnd
!endif

Section "Uninstall"
  Delete "$INSTDIR\qx4810.exe"
  Delete "$INSTDIR\qx4810-guide.exe"
  Delete "$INSTDIR\ajuda.html"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"  ; only when empty: nothing of the user's goes

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ; What earlier versions put in the Start menu.
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Desinstalar ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\${PRODUCT}.lnk"

  ; The default for .par goes only while it still names this program.
  DeleteRegValue SHCTX "Software\Classes\.par\OpenWithProgids" "${PROG_ID}"
  DeleteRegKey /ifempty SHCTX "Software\Classes\.par\OpenWithProgids"
  ReadRegStr $0 SHCTX "Software\Classes\.par" ""
  ${If} $0 == "${PROG_ID}"
    DeleteRegValue SHCTX "Software\Classes\.par" ""
  ${EndIf}
  DeleteRegKey /ifempty SHCTX "Software\Classes\.par"
  DeleteRegKey SHCTX "Software\Classes\${PROG_ID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  DeleteRegKey SHCTX "${SETTINGS_KEY}"
SectionEnd
