; The Windows installer: the 32-bit bench everywhere, in Program Files (x86)
; on a 64-bit Windows, and the 64-bit bench beside it in Program Files on a
; 64-bit Windows. Each bench's simulated module is registered in its own
; view of the registry, by the regsvr32 of its bitness. One Start-menu entry
; starts the bench of the system's bitness, which hands the run to its twin
; when the driver's class is registered only for the other bitness; the
; twins find each other through the values Bench32 and Bench64 of the
; uninstall key. scripts/package-windows stages both builds and runs
; makensis with:
;   VERSION   the project's version
;   STAGE32   STAGE64   the two installed trees
;   REMOVE32  REMOVE64  NSIS includes that delete those trees' files and folders
;   ICON      the bench's icon
;   OUTFILE   the installer to write
; The installer itself is 32-bit, so that it runs on either Windows.
Unicode true
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "x64.nsh"

!define PRODUCT "lk40-drvtest"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define SHORTCUT "$SMPROGRAMS\Тест драйвера ЛК-40.lnk"
!define SERVER "bin\AddIn.DrvTarvo.dll"

Name "lk40-drvtest ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES32\${PRODUCT}"
!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Russian"

Var Dir32
Var Dir64  ; empty on a 32-bit Windows

; The folders, and the registry's view of the uninstall key, on this Windows.
!macro lk40_folders
  SetShellVarContext all
  StrCpy $Dir32 "$PROGRAMFILES32\${PRODUCT}"
  StrCpy $Dir64 ""
  ${If} ${RunningX64}
    SetRegView 64
    StrCpy $Dir64 "$PROGRAMFILES64\${PRODUCT}"
  ${EndIf}
!macroend

; Runs regsvr32 ARGS on both benches' servers, each with the regsvr32 of its
; bitness (a 32-bit process's System32 is the 32-bit one).
!macro lk40_regsvr32 ARGS
  ExecWait '"$SYSDIR\regsvr32.exe" /s ${ARGS} "$Dir32\${SERVER}"'
  ${If} $Dir64 != ""
    ${DisableX64FSRedirection}
    ExecWait '"$WINDIR\System32\regsvr32.exe" /s ${ARGS} "$Dir64\${SERVER}"'
    ${EnableX64FSRedirection}
  ${EndIf}
!macroend

Function .onInit
  !insertmacro lk40_folders
  ; An earlier install goes first, its server unregistered and its files gone.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "UninstallFolder"
  ${If} $0 != ""
  ${AndIf} ${FileExists} "$0\Uninstall.exe"
    ExecWait '"$0\Uninstall.exe" /S _?=$0'
    Delete "$0\Uninstall.exe"
    RMDir "$0"
  ${EndIf}
FunctionEnd

Section "lk40-drvtest"
  SetOutPath "$Dir32"
  File /r "${STAGE32}/*"
  StrCpy $0 "$Dir32"
  ${If} $Dir64 != ""
    SetOutPath "$Dir64"
    File /r "${STAGE64}/*"
    StrCpy $0 "$Dir64"
  ${EndIf}
  ; $0: the folder of the bench of the system's bitness.
  ; For all users, as the benches are.
  !insertmacro lk40_regsvr32 "/n /i:machine"
  WriteUninstaller "$0\Uninstall.exe"
  CreateShortCut "${SHORTCUT}" "$0\bin\lk40-drvtest.exe" "" "$0\bin\lk40-drvtest.exe" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "lk40-drvtest"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$0\bin\lk40-drvtest.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallFolder" "$0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$0\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$0\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Bench32" "$Dir32\bin\lk40-drvtest.exe"
  ${If} $Dir64 != ""
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Bench64" "$Dir64\bin\lk40-drvtest.exe"
  ${EndIf}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  !insertmacro lk40_folders
FunctionEnd

Section "Uninstall"
  ; The servers go before their files: the machine's registration, and the
  ; user's in case an earlier installer made one.
  !insertmacro lk40_regsvr32 "/u /n /i:machine"
  !insertmacro lk40_regsvr32 "/u"
  Delete "${SHORTCUT}"
  !include "${REMOVE32}"
  ${If} $Dir64 != ""
    !include "${REMOVE64}"
  ${EndIf}
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$Dir32"
  ${If} $Dir64 != ""
    RMDir "$Dir64"
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
