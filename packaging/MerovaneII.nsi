; The Windows installer of Merovane II, built on Linux by scripts/package.sh with makensis.
; Defines given by the script: VERSION, VERSION4 (the same in four numbers, as Windows' version
; resource wants it), STAGE (the package folder, laid out as installed), PRESETS (an include
; listing the shipped presets) and OUTFILE.
; A 64-bit installer for a 64-bit plug-in: it sees the 64-bit registry and Program Files as
; Photoshop does, and needs no 32-bit subsystem (Wine without wine32 runs it too).
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel admin

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "nsDialogs.nsh"
!include "x64.nsh"
!include "FileFunc.nsh"

!define PRODUCT "Merovane II"
!define PUBLISHER "Zantrove"
!define PLUGIN "merovaneIIx64.8bf"
!define SAVES "Merovane saves"
!define HELP "MerovaneIIHelp"
!define UNINSTALLER "Uninstall Merovane II.exe"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\MerovaneII"
; Every Photoshop since CC also loads the plug-ins of this shared folder: the choice when no
; Photoshop is registered, as on a machine prepared before Photoshop is installed.
!define SHARED_PLUGINS "$PROGRAMFILES64\Common Files\Adobe\Plug-ins\CC"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "${SHARED_PLUGINS}"
BrandingText "${PUBLISHER} ${PRODUCT} ${VERSION}"
VIProductVersion "${VERSION4}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} installer"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Var PluginFolders  ; plug-ins folders of the registered Photoshops, each ended by "|"
Var NewestFolder   ; the last of them, the newest version
Var FolderList     ; the drop list on the Photoshop page
Var CreatedFolder  ; 1 when the installation folder did not exist before

!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "This installs the ${PRODUCT} filter ${VERSION} into a Photoshop plug-ins folder: the plug-in, its help and its presets.$\r$\n$\r$\nQuit Photoshop before you continue. Afterwards the filter is in Filter > Zantrove > Merovane II..."
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}\LICENSE.txt"
Page custom PhotoshopPage PhotoshopPageLeave
!define MUI_DIRECTORYPAGE_TEXT_TOP "${PRODUCT} is installed into this Photoshop plug-ins folder; a folder inside it works too. Every Photoshop since CC also loads C:\Program Files\Common Files\Adobe\Plug-ins\CC. Presets already in its $\"${SAVES}$\" folder are kept."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "Plug-ins folder"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} is installed in $INSTDIR.$\r$\n$\r$\nStart Photoshop and open Filter > Zantrove > Merovane II..."
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Collects "<ApplicationPath>Plug-ins" of every Photoshop version registered on the machine.
Function FindPhotoshops
  StrCpy $PluginFolders ""
  StrCpy $NewestFolder ""
  StrCpy $0 0
  ${Do}
    EnumRegKey $1 HKLM "SOFTWARE\Adobe\Photoshop" $0
    ${If} $1 == ""
      ${Break}
    ${EndIf}
    ReadRegStr $2 HKLM "SOFTWARE\Adobe\Photoshop\$1" "ApplicationPath"
    ${If} $2 != ""
      ; The value usually ends in a backslash; a doubled one would still work but reads badly.
      StrCpy $3 $2 1 -1
      ${If} $3 == "\"
        StrCpy $2 $2 -1
      ${EndIf}
      ${If} ${FileExists} "$2\Plug-ins\*.*"
        StrCpy $PluginFolders "$PluginFolders$2\Plug-ins|"
        StrCpy $NewestFolder "$2\Plug-ins"
      ${EndIf}
    ${EndIf}
    IntOp $0 $0 + 1
  ${Loop}
FunctionEnd

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP "${PRODUCT} is a plug-in for the 64-bit Photoshop and needs 64-bit Windows." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  Call FindPhotoshops
  ; A folder given with /D= wins; otherwise the folder of the last installation, then the
  ; newest registered Photoshop (the registry lists versions in ascending order).
  ${If} $INSTDIR == "${SHARED_PLUGINS}"
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
      StrCpy $INSTDIR $0
    ${ElseIf} $NewestFolder != ""
      StrCpy $INSTDIR $NewestFolder
    ${EndIf}
  ${EndIf}
FunctionEnd

Function PhotoshopPage
  ${If} $PluginFolders == ""
    Abort  ; nothing to offer: the folder page alone
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Photoshop" "Choose the Photoshop that gets ${PRODUCT}."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 36u "These Photoshop plug-ins folders were found on this computer. Choose one; the next page lets you change it or pick any other folder."
  Pop $0
  ${NSD_CreateDropList} 0 44u 100% 80u ""
  Pop $FolderList
  StrCpy $1 $PluginFolders
  ${Do}
    ${If} $1 == ""
      ${Break}
    ${EndIf}
    StrCpy $2 0
    ${Do}  ; length of the first entry
      StrCpy $3 $1 1 $2
      ${If} $3 == "|"
        ${Break}
      ${EndIf}
      IntOp $2 $2 + 1
    ${Loop}
    StrCpy $3 $1 $2
    ${NSD_CB_AddString} $FolderList $3
    IntOp $2 $2 + 1
    StrCpy $1 $1 "" $2
  ${Loop}
  ${NSD_CB_SelectString} $FolderList $INSTDIR
  ${NSD_GetText} $FolderList $0
  ${If} $0 == ""
    SendMessage $FolderList ${CB_SETCURSEL} 0 0
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function PhotoshopPageLeave
  ${NSD_GetText} $FolderList $0
  ${If} $0 != ""
    StrCpy $INSTDIR $0
  ${EndIf}
FunctionEnd

Section "${PRODUCT}" SectionMain
  SectionIn RO
  SetRegView 64
  StrCpy $CreatedFolder 0
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    StrCpy $CreatedFolder 1
  ${EndIf}

  ; A running Photoshop holds the plug-in open: say so rather than fail half-way.
  ${If} ${FileExists} "$INSTDIR\${PLUGIN}"
    ${Do}
      ClearErrors
      FileOpen $0 "$INSTDIR\${PLUGIN}" a
      ${IfNot} ${Errors}
        FileClose $0
        ${Break}
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$INSTDIR\${PLUGIN} is in use. Quit Photoshop, then choose Retry." /SD IDCANCEL IDRETRY retry
      Abort "The plug-in is in use; nothing was changed."
      retry:
    ${Loop}
  ${EndIf}

  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${STAGE}\${PLUGIN}"
  RMDir /r "$INSTDIR\${HELP}"  ; pages of an older help must not linger
  SetOutPath "$INSTDIR\${HELP}"
  File /nonfatal /r "${STAGE}\${HELP}\*.*"
  ; The user's presets, and shipped ones the user saved over, stay as they are.
  SetOutPath "$INSTDIR\${SAVES}"
  SetOverwrite off
  File "${STAGE}\${SAVES}\*.kzv"
  SetOverwrite on

  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  ; A reinstall into a folder this installer made keeps that fact for the uninstaller.
  ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegDWORD $1 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
  ${If} $0 == $INSTDIR
  ${AndIf} $1 == 1
    StrCpy $CreatedFolder 1
  ${EndIf}
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT} (Photoshop plug-in)"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "CreatedFolder" $CreatedFolder
  ${GetSize} "$INSTDIR\${HELP}" "/S=0K" $0 $1 $2
  ${GetSize} "$INSTDIR" "/M=${PLUGIN} /S=0K /G=0" $3 $1 $2
  IntOp $0 $0 + $3
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Deletes the installed preset $R0 when it still holds the shipped bytes of $R1: a shipped
; preset the user saved over is the user's own now.
Function un.DeleteIfUnchanged
  ClearErrors
  FileOpen $0 $R0 r
  IfErrors done
  FileOpen $1 $R1 r
  ${If} ${Errors}
    FileClose $0
    Goto done
  ${EndIf}
  StrCpy $4 1  ; same so far
  ${Do}
    ClearErrors
    FileReadByte $0 $2
    ${If} ${Errors}
      StrCpy $2 "end"
    ${EndIf}
    ClearErrors
    FileReadByte $1 $3
    ${If} ${Errors}
      StrCpy $3 "end"
    ${EndIf}
    ${If} $2 != $3
      StrCpy $4 0
      ${Break}
    ${EndIf}
    ${If} $2 == "end"
      ${Break}
    ${EndIf}
  ${Loop}
  FileClose $0
  FileClose $1
  ${If} $4 == 1
    Delete $R0
  ${EndIf}
done:
FunctionEnd

!macro ShippedPreset NAME
  File "/oname=$PLUGINSDIR\shipped.kzv" "${STAGE}\${SAVES}\${NAME}.kzv"
  StrCpy $R0 "$INSTDIR\${SAVES}\${NAME}.kzv"
  StrCpy $R1 "$PLUGINSDIR\shipped.kzv"
  Call un.DeleteIfUnchanged
!macroend

Section "Uninstall"
  SetRegView 64
  Delete "$INSTDIR\${PLUGIN}"
  RMDir /r "$INSTDIR\${HELP}"
  InitPluginsDir
  !include "${PRESETS}"
  RMDir "$INSTDIR\${SAVES}"  ; only when no preset of the user's is left
  Delete "$INSTDIR\${UNINSTALLER}"
  ; The entry belongs to this folder unless a later installation went elsewhere.
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $1 == $INSTDIR
    ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "CreatedFolder"
    ${If} $0 == 1
      RMDir "$INSTDIR"  ; only when empty: other plug-ins may have arrived since
    ${EndIf}
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${EndIf}
SectionEnd
