; The Windows setup program of Vanbrisk and its uninstaller, for NSIS's makensis.
;
; Built by the `installer` target of the Windows build, which passes:
;   NAMES        the generated names.nsh: the version, the program's files,
;                the registry names that the program itself writes and the
;                setup program's Uninstall key
;   PROGRAM_DIR  the folder holding vanbrisk.exe, vanbrisk-cli.exe,
;                vanbrisk.ico, History.txt and the language files
;   OUTFILE      the setup program to write
;
; Switches of the setup program: /S (silent), /D=FOLDER (the program's folder,
; last on the command line, without quotes).
; Switches of the uninstaller: /S (silent), /REMOVESETTINGS (remove the user's
; settings too; without it they are kept for a later install), and /UPGRADE,
; which a later version's setup program passes: remove the files and the
; shortcuts only.

; A 64-bit setup program, as the program is: it writes the registry view and
; the Program Files folder that the program itself sees.
Unicode true
Target amd64-unicode
!include "${NAMES}"
!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"
!include "Sections.nsh"

!define UNINSTALLER "uninstall.exe"
!define SHORTCUTS "$SMPROGRAMS\Vanbrisk"
!define PROGRAM_SHORTCUT "Vanbrisk.lnk"
!define QUIET_SHORTCUT "Vanbrisk - Quiet Mode.lnk"

Name "Vanbrisk ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Vanbrisk ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

; The folder of an earlier install, from its Uninstall key ("" when none).
Var PreviousFolder
; "1" when an upgrade runs the earlier install's uninstaller.
Var Upgrade

!define MUI_ICON "${PROGRAM_DIR}/vanbrisk.ico"
!define MUI_UNICON "${PROGRAM_DIR}/vanbrisk.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\vanbrisk.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Run Vanbrisk"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "Your Vanbrisk settings are kept for a later install unless you tick the box."
!define MUI_COMPONENTSPAGE_NODESC
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The setup program's version resource, as the program's own executables have
; theirs (src/product/product.rc.in), and a manifest as theirs: visual styles,
; per-monitor DPI, the Windows versions it knows, long paths.
VIProductVersion "${VERSION_NUMBERS}"
VIFileVersion "${VERSION_NUMBERS}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${COMPANY}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "OriginalFilename" "vanbrisk-setup-${VERSION}.exe"
XPStyle on
ManifestDPIAware true
ManifestSupportedOS all
ManifestLongPathAware true

; Every file that the setup program puts in the program's folder is in the
; build's list (VanbriskProgramFiles, in names.nsh), which the Windows
; Installer package installs too. Installing and removing go through this one
; list, so the uninstaller removes exactly these files and keeps whatever else
; the folder holds.
!macro InstallFile NAME
  File "${PROGRAM_DIR}/${NAME}"
!macroend
!macro RemoveFile NAME
  Delete "$INSTDIR\${NAME}"
!macroend
; The Group Policy templates (VanbriskPolicyFiles), in PolicyDefinitions and
; its language folders; a folder goes when it is left empty.
!macro InstallPolicyFile FOLDER NAME SOURCE
  SetOutPath "$INSTDIR\${FOLDER}"
  File "${PROGRAM_DIR}/${SOURCE}"
!macroend
!macro RemovePolicyFile FOLDER NAME SOURCE
  Delete "$INSTDIR\${FOLDER}\${NAME}"
  RMDir "$INSTDIR\${FOLDER}"
!macroend

; Sets $R8 to "1" when vanbrisk.exe or vanbrisk-cli.exe in the folder $R9 is
; running: Windows refuses to open the file of a running program for writing.
; Opening for writing, with nothing written, leaves the file as it was.
!macro DefineIsRunning UN
Function ${UN}IsRunning
  StrCpy $R8 ""
  ${If} $R9 == ""
    Return
  ${EndIf}
  ${ForEach} $R6 0 1 + 1
    ${If} $R6 == 0
      StrCpy $R5 "$R9\vanbrisk.exe"
    ${Else}
      StrCpy $R5 "$R9\vanbrisk-cli.exe"
    ${EndIf}
    ${If} ${FileExists} $R5
      ClearErrors
      FileOpen $R7 $R5 a
      ${If} ${Errors}
        StrCpy $R8 "1"
      ${Else}
        FileClose $R7
      ${EndIf}
    ${EndIf}
  ${Next}
FunctionEnd

; Refuses, with a message, while the program in the folder $R9 is running.
Function ${UN}RefuseWhileRunning
  Call ${UN}IsRunning
  ${If} $R8 == "1"
    MessageBox MB_OK|MB_ICONSTOP "Vanbrisk is running from $R9.$\r$\nClose it, then run this program again." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
FunctionEnd
!macroend
!insertmacro DefineIsRunning ""
!insertmacro DefineIsRunning "un."

Function .onInit
  SetShellVarContext all
  ReadRegStr $PreviousFolder HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ; /D= sets the folder before this; otherwise an upgrade goes where the
  ; earlier install is, and a first install under Program Files.
  ${If} $INSTDIR == ""
    ${If} $PreviousFolder != ""
      StrCpy $INSTDIR $PreviousFolder
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES64\Vanbrisk"
    ${EndIf}
  ${EndIf}
  StrCpy $R9 $PreviousFolder
  Call RefuseWhileRunning
  StrCpy $R9 $INSTDIR
  Call RefuseWhileRunning
FunctionEnd

; An earlier install: its own uninstaller, told that this is an upgrade,
; removes its files and shortcuts (whatever that version installed) and keeps
; the user's settings and the program's entries in the shell and the registry.
Function RemovePreviousFiles
  ${If} $PreviousFolder == ""
  ${OrIfNot} ${FileExists} "$PreviousFolder\${UNINSTALLER}"
    Return
  ${EndIf}
  DetailPrint "Removing the files of the earlier install in $PreviousFolder"
  ClearErrors
  ExecWait '"$PreviousFolder\${UNINSTALLER}" /S /UPGRADE _?=$PreviousFolder' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    MessageBox MB_OK|MB_ICONSTOP "The earlier install in $PreviousFolder could not be removed." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  Delete "$PreviousFolder\${UNINSTALLER}"
  RMDir "$PreviousFolder"
FunctionEnd

; The entries through which Windows starts or shows the program name it by its
; path. Those that exist are written anew with this install's path, as the
; program writes them when it starts: after an upgrade into another folder, or
; an install after the program's folder was deleted by hand, they would
; otherwise name a program that is no longer there. Entries that do not exist
; stay so: they are the user's choice.
!macro RewriteEntry ROOT KEY NAME DATA
  ClearErrors
  ReadRegStr $R0 ${ROOT} "${KEY}" "${NAME}"
  ${IfNot} ${Errors}
    WriteRegStr ${ROOT} "${KEY}" "${NAME}" "${DATA}"
  ${EndIf}
!macroend
Function RewriteEntries
  ; The command line: the path, quoted when it holds a blank, at which the
  ; shell would otherwise cut it.
  StrCpy $R1 "$INSTDIR\vanbrisk.exe"
  StrCpy $R2 0
  ${Do}
    StrCpy $R3 $R1 1 $R2
    ${If} $R3 == ""
      ${ExitDo}
    ${ElseIf} $R3 == " "
      StrCpy $R1 '"$R1"'
      ${ExitDo}
    ${EndIf}
    IntOp $R2 $R2 + 1
  ${Loop}
  !insertmacro RewriteEntry HKCU "${RUN_KEY}" "${STARTUP_VALUE}" "$R1"
  !insertmacro RewriteEntry HKCU "${RUN_KEY}" "${QUIET_STARTUP_VALUE}" "$R1 /AUTO"
  !insertmacro RewriteEntry HKCR "${RECYCLE_BIN_SHELL}\${OPEN_VERB}\command" "" "$R1"
  !insertmacro RewriteEntry HKCR "${RECYCLE_BIN_SHELL}\${RUN_VERB}\command" "" "$R1 /AUTO"
  !insertmacro RewriteEntry HKCU "${IE_BUTTON_KEY}" "Exec" "$INSTDIR\vanbrisk.exe"
  !insertmacro RewriteEntry HKCU "${IE_BUTTON_KEY}" "Icon" "$INSTDIR\vanbrisk.ico"
  !insertmacro RewriteEntry HKCU "${IE_BUTTON_KEY}" "HotIcon" "$INSTDIR\vanbrisk.ico"
FunctionEnd

Section "Vanbrisk" SecProgram
  SectionIn RO
  ; The folder may have been changed on the directory page.
  StrCpy $R9 $INSTDIR
  Call RefuseWhileRunning
  Call RemovePreviousFiles

  SetOutPath "$INSTDIR"
  !insertmacro VanbriskProgramFiles InstallFile
  !insertmacro VanbriskPolicyFiles InstallPolicyFile
  SetOutPath "$INSTDIR"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  CreateDirectory "${SHORTCUTS}"
  CreateShortcut "${SHORTCUTS}\${PROGRAM_SHORTCUT}" "$INSTDIR\vanbrisk.exe" "" \
    "$INSTDIR\vanbrisk.ico" 0 SW_SHOWNORMAL "" "Cleans privacy traces and unneeded files"
  CreateShortcut "${SHORTCUTS}\${QUIET_SHORTCUT}" "$INSTDIR\vanbrisk.exe" "/AUTO" \
    "$INSTDIR\vanbrisk.ico" 0 SW_SHOWNORMAL "" \
    "Quiet mode (/AUTO): cleans with the saved choices, without a window"

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Vanbrisk"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${COMPANY}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\vanbrisk.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  SectionGetSize ${SecProgram} $0  ; in KB, as EstimatedSize counts
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  Call RewriteEntries
SectionEnd

; The files, the shortcuts and, unless upgrading, the Uninstall key and the
; entries through which Windows would start or show the program: exactly the
; Run values, Recycle Bin verbs and toolbar button key that the program
; writes, and nothing beside them.
Section "-un.Vanbrisk"
  !insertmacro VanbriskProgramFiles RemoveFile
  !insertmacro VanbriskPolicyFiles RemovePolicyFile
  RMDir "$INSTDIR\PolicyDefinitions"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"
  Delete "${SHORTCUTS}\${PROGRAM_SHORTCUT}"
  Delete "${SHORTCUTS}\${QUIET_SHORTCUT}"
  RMDir "${SHORTCUTS}"
  ${If} $Upgrade == "1"
    Return
  ${EndIf}
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKCU "${RUN_KEY}" "${STARTUP_VALUE}"
  DeleteRegValue HKCU "${RUN_KEY}" "${QUIET_STARTUP_VALUE}"
  DeleteRegKey HKCR "${RECYCLE_BIN_SHELL}\${OPEN_VERB}"
  DeleteRegKey HKCR "${RECYCLE_BIN_SHELL}\${RUN_VERB}"
  DeleteRegKey HKCU "${IE_BUTTON_KEY}"
SectionEnd

Section /o "un.Remove my settings too" SecRemoveSettings
  DeleteRegKey HKCU "${SETTINGS_KEY}"
SectionEnd

; After the sections, whose numbers it uses.
Function un.onInit
  SetShellVarContext all
  ${un.GetParameters} $R0
  ClearErrors
  ${un.GetOptions} $R0 "/UPGRADE" $R1
  ${IfNot} ${Errors}
    StrCpy $Upgrade "1"
  ${EndIf}
  ClearErrors
  ${un.GetOptions} $R0 "/REMOVESETTINGS" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRemoveSettings}
  ${EndIf}
  StrCpy $R9 $INSTDIR
  Call un.RefuseWhileRunning
FunctionEnd
