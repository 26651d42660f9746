; Installer of the QX-4810 programming assistant for Windows (64-bit), in Portuguese (Brazil).
; Built by the `installer` target of the windows build, which passes:
;   VERSION    1.1.0.0
;   OUTFILE    the installer to write
;   GUIDE_EXE  qx4810-guide.exe, the batch guide tool
;   APP_EXE    qx4810.exe, the desktop program (only when the build has it)
; The customers' parameter files (c:\KORVA) are never touched, not even by the uninstaller.
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"

!ifndef VERSION
  !error "VERSION não definido"
!endif
!ifndef OUTFILE
  !define OUTFILE "qx4810-${VERSION}-setup.exe"
!endif
!ifndef GUIDE_EXE
  !error "GUIDE_EXE não definido"
!endif

!define PRODUCT "QX-4810"
!define DISPLAY_NAME "Assistente de programação QX-4810"
!define UNINSTALLER "Desinstalar.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QX-4810"
!define SETTINGS_KEY "Software\QX-4810"
!define PROG_ID "QX4810.Parametros"
!ifdef APP_EXE
  !define ICON_OF_PROGRAM "$INSTDIR\qx4810.exe,0"
!else
  !define ICON_OF_PROGRAM "$INSTDIR\qx4810-guide.exe,0"
!endif

Name "${DISPLAY_NAME}"
Caption "${DISPLAY_NAME} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\QX-4810"
InstallDirRegKey HKLM "${SETTINGS_KEY}" "InstallDir"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1046 "ProductName" "${DISPLAY_NAME}"
VIAddVersionKey /LANG=1046 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1046 "FileDescription" "Instalador do ${DISPLAY_NAME}"
VIAddVersionKey /LANG=1046 "LegalCopyright" ""

!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "PortugueseBR"

Function .onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetRegView 64
  SetShellVarContext all
FunctionEnd

Section "Programas (obrigatório)" SecPrograms
  SectionIn RO
  SetOutPath "$INSTDIR"
!ifdef APP_EXE
  File "/oname=qx4810.exe" "${APP_EXE}"
!endif
  File "/oname=qx4810-guide.exe" "${GUIDE_EXE}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${SETTINGS_KEY}" "InstallDir" "$INSTDIR"

  ; The entry in the list of installed programs.
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${DISPLAY_NAME}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${ICON_OF_PROGRAM}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1

  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
!ifdef APP_EXE
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\qx4810.exe" "" "$INSTDIR\qx4810.exe" 0
  ; Parameter files open in the program by a double click.
  WriteRegStr HKLM "Software\Classes\.par" "" "${PROG_ID}"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}" "" "PARAMETROS Arquivo"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\DefaultIcon" "" "$INSTDIR\qx4810.exe,0"
  WriteRegStr HKLM "Software\Classes\${PROG_ID}\shell\open\command" "" '"$INSTDIR\qx4810.exe" "%1"'
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'
!endif
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\Desinstalar ${PRODUCT}.lnk" "$INSTDIR\${UNINSTALLER}"
SectionEnd

!ifdef APP_EXE
Section "Atalho na área de trabalho" SecDesktop
  CreateShortcut "$DESKTOP\${PRODUCT}.lnk" "$INSTDIR\qx4810.exe" "" "$INSTDIR\qx4810.exe" 0
SectionEnd
!endif

Section "Uninstall"
  Delete "$INSTDIR\qx4810.exe"
  Delete "$INSTDIR\qx4810-guide.exe"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"  ; only when empty: nothing of the user's goes

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\Desinstalar ${PRODUCT}.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"
  Delete "$DESKTOP\${PRODUCT}.lnk"

  ; The association goes only while .par still points to this program.
  ReadRegStr $0 HKLM "Software\Classes\.par" ""
  StrCmp $0 "${PROG_ID}" 0 +3
    DeleteRegValue HKLM "Software\Classes\.par" ""
    DeleteRegKey /ifempty HKLM "Software\Classes\.par"
  DeleteRegKey HKLM "Software\Classes\${PROG_ID}"
  System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegKey HKLM "${SETTINGS_KEY}"
SectionEnd
