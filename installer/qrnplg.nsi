; The Windows installer of QRNPlg: the plug-in folder (QRNPlg.dll, QRN.txt, Help\, the host
; qrnhost.exe, qrnplan.exe, Qt and the mingw runtime beside them) in Program Files, the
; component QRNPlg.Plg registered for the machine, a Start-menu entry for the host and the .qrn
; plans opened by it. The uninstaller takes back exactly that: the files of the list the build
; made, the keys written here, the component's registration; never the user's plans, settings
; or recovery copies.
;
; Made by scripts/windows_installer, which defines:
;   VERSION      the version of the build (CMake's project version)
;   OUTFILE      the installer to write, QRNPlg-VERSION-setup.exe
;   FILES        an include file of the installed files (File commands, per folder)
;   UNFILES      an include file of the matching Delete and RMDir commands

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define PRODUCT "QRNPlg"
!define HOST_ENTRY "Éditeur de plans QRN"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QRNPlg"
!define PLAN_CLASS "QRNPlg.Plan"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\QRNPlg"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\qrnhost.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer l'${HOST_ENTRY}"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

; Everything is for every user of the machine: Program Files, the common Start menu,
; HKEY_LOCAL_MACHINE (where regsvr32 registers the component, run elevated).
Function .onInit
    SetShellVarContext all
    SetRegView 64
FunctionEnd

Function un.onInit
    SetShellVarContext all
    SetRegView 64
FunctionEnd

Section "QRNPlg"
    !include "${FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ExecWait '"$SYSDIR\regsvr32.exe" /s "$INSTDIR\QRNPlg.dll"' $0
    ${If} $0 != 0
        ; The host registers the component beside it for its user when it finds it missing.
        MessageBox MB_ICONEXCLAMATION|MB_OK "L'enregistrement du composant QRNPlg.Plg a échoué \
            (code $0) : l'${HOST_ENTRY} l'enregistrera pour son utilisateur." /SD IDOK
    ${EndIf}

    CreateShortCut "$SMPROGRAMS\${HOST_ENTRY}.lnk" "$INSTDIR\qrnhost.exe" "" \
        "$INSTDIR\qrnhost.exe" 0 SW_SHOWNORMAL "" "Composer des plans de placement de bâtiments"

    ; Plans (.qrn) open in the host.
    WriteRegStr HKLM "Software\Classes\.qrn" "" "${PLAN_CLASS}"
    WriteRegStr HKLM "Software\Classes\${PLAN_CLASS}" "" "Plan QRN"
    WriteRegStr HKLM "Software\Classes\${PLAN_CLASS}\DefaultIcon" "" '"$INSTDIR\qrnhost.exe",0'
    WriteRegStr HKLM "Software\Classes\${PLAN_CLASS}\shell\open\command" "" \
        '"$INSTDIR\qrnhost.exe" "%1"'
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} ${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "QRNPlg"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" '"$INSTDIR\qrnhost.exe",0'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    ExecWait '"$SYSDIR\regsvr32.exe" /u /s "$INSTDIR\QRNPlg.dll"'

    Delete "$SMPROGRAMS\${HOST_ENTRY}.lnk"

    ; .qrn goes only while it still names the plans' class: another program may have taken it.
    DeleteRegKey HKLM "Software\Classes\${PLAN_CLASS}"
    ReadRegStr $0 HKLM "Software\Classes\.qrn" ""
    ${If} $0 == "${PLAN_CLASS}"
        DeleteRegValue HKLM "Software\Classes\.qrn" ""
        DeleteRegKey /ifempty HKLM "Software\Classes\.qrn"
    ${EndIf}
    System::Call 'shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)'

    DeleteRegKey HKLM "${UNINSTALL_KEY}"

    ; The installed files, one by one: a file the user put in the folder stays, and so does the
    ; folder then.
    !include "${UNFILES}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
