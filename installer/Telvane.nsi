; The setup program of Telvane: both bitnesses of the two DLLs, each in its own Program Files
; folder and registered with the regsvr32 of its own bitness, and an uninstaller listed among
; the installed programs. The build defines VERSION, BIN64 and BIN32 (the folders holding each
; tree's DLLs) and OUTFILE.
Unicode true
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh

!ifndef VERSION | BIN64 | BIN32 | OUTFILE
  !error "makensis needs -DVERSION= -DBIN64= -DBIN32= -DOUTFILE="
!endif

!define PRODUCT "Telvane for Outlook"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Telvane"
!define SETTINGS_KEY "Software\Classes\Software\Merrowind\Telvane"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; Registering writes the machine's classes.
RequestExecutionLevel admin
SetCompressor /SOLID lzma
BrandingText "Telvane ${VERSION}"
; No InstallDir: an empty $INSTDIR in .onInit tells that no /D= was given.

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "Telvane"
VIAddVersionKey /LANG=1033 "CompanyName" "Merrowind"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Merrowind"

!define MUI_ICON "Telvane.ico"
!define MUI_UNICON "Telvane.ico"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_HEADER_TEXT "Read me"
!define MUI_PAGE_HEADER_SUBTEXT "What ${PRODUCT} does and what this setup changes."
!define MUI_LICENSEPAGE_TEXT_TOP "Please read this before you go on."
!define MUI_LICENSEPAGE_TEXT_BOTTOM " "
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "Readme.txt"
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts ${PRODUCT} into the following folder. On a 64-bit \
    Windows the add-in for a 32-bit Outlook goes into the 32-bit Program Files folder."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Where the 32-bit DLLs go: the 32-bit Program Files folder on a 64-bit Windows, $INSTDIR on a
; 32-bit one.
Var Folder32

; Runs the regsvr32 of the given bitness on DLL; $0 gets its exit code, 0 for done.
!macro Regsvr32 BITS SWITCHES DLL
  StrCpy $0 "not started"
  ClearErrors
  !if ${BITS} == 64
    ${DisableX64FSRedirection}
    ExecWait '"$WINDIR\System32\regsvr32.exe" ${SWITCHES} "${DLL}"' $0
    ${EnableX64FSRedirection}
  !else
    ; This setup is a 32-bit program: its system folder is the 32-bit one.
    ExecWait '"$SYSDIR\regsvr32.exe" ${SWITCHES} "${DLL}"' $0
  !endif
  ${If} ${Errors}
    StrCpy $0 "not started"
  ${EndIf}
!macroend

; Unregisters the two DLLs in FOLDER with the regsvr32 of BITS, add-in first, and deletes them.
; A DLL that is not there is skipped: there is nothing left to unregister with it.
!macro RemoveDlls BITS FOLDER
  ${If} ${FileExists} "${FOLDER}\Telvane.dll"
    !insertmacro Regsvr32 ${BITS} "/s /u" "${FOLDER}\Telvane.dll"
    DetailPrint "Unregistered ${FOLDER}\Telvane.dll (${BITS}-bit): $0"
  ${EndIf}
  ${If} ${FileExists} "${FOLDER}\TelvanePage.dll"
    !insertmacro Regsvr32 ${BITS} "/s /u" "${FOLDER}\TelvanePage.dll"
    DetailPrint "Unregistered ${FOLDER}\TelvanePage.dll (${BITS}-bit): $0"
  ${EndIf}
  Delete "${FOLDER}\Telvane.dll"
  Delete "${FOLDER}\TelvanePage.dll"
!macroend

!macro NativeRegistryView
  ${If} ${RunningX64}
    SetRegView 64
  ${EndIf}
!macroend

Function .onInit
  !insertmacro NativeRegistryView
  ${If} $INSTDIR == ""
    ; Over an installed copy, the folder it is in.
    ReadRegStr $INSTDIR HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ${EndIf}
  ${If} $INSTDIR == ""
    ${If} ${RunningX64}
      StrCpy $INSTDIR "$PROGRAMFILES64\Telvane"
    ${Else}
      StrCpy $INSTDIR "$PROGRAMFILES\Telvane"
    ${EndIf}
  ${EndIf}
FunctionEnd

; On a 64-bit Windows the DLLs of both bitnesses have the same names: they need two folders.
Function .onVerifyInstDir
  ${If} ${RunningX64}
  ${AndIf} $INSTDIR == "$PROGRAMFILES32\Telvane"
    Abort
  ${EndIf}
FunctionEnd

; An installed copy, of this or another version: unregistered with its own DLLs, which know what
; they wrote, and its files removed, so that only the new registrations remain. The switch stays.
Function RemovePrevious
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 HKLM "${UNINSTALL_KEY}" "InstallLocation32"
  ${If} $1 == ""
    Return
  ${EndIf}
  DetailPrint "Removing the copy installed in $1"
  ${If} ${RunningX64}
    !insertmacro RemoveDlls 64 $1
  ${EndIf}
  ${If} $2 != ""
    !insertmacro RemoveDlls 32 $2
    RMDir $2
  ${EndIf}
  Delete "$1\Uninstall.exe"
  RMDir $1
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
FunctionEnd

; Registers DLL with the regsvr32 of BITS; on failure removes everything this setup put in
; place, through the uninstaller it wrote, and ends the setup with exit code 3.
!macro Register BITS DLL
  !insertmacro Regsvr32 ${BITS} "/s" "${DLL}"
  ${If} $0 != 0
    DetailPrint "Registering ${DLL} (${BITS}-bit) failed: $0"
    ExecWait '"$INSTDIR\Uninstall.exe" /S _?=$INSTDIR'
    Delete "$INSTDIR\Uninstall.exe"
    SetOutPath $TEMP ; a folder in use as the working folder cannot be removed
    RMDir $INSTDIR
    MessageBox MB_OK|MB_ICONSTOP "Registering ${DLL} failed ($0). ${PRODUCT} was not installed." /SD IDOK
    SetErrorLevel 3
    Quit
  ${EndIf}
  DetailPrint "Registered ${DLL} (${BITS}-bit)"
!macroend

Section "Telvane"
  !insertmacro NativeRegistryView
  ; .onVerifyInstDir keeps the folder page from going on; a silent setup ends here.
  ${If} ${RunningX64}
  ${AndIf} $INSTDIR == "$PROGRAMFILES32\Telvane"
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR holds the 32-bit DLLs: choose another folder." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ${If} ${RunningX64}
    StrCpy $Folder32 "$PROGRAMFILES32\Telvane"
  ${Else}
    StrCpy $Folder32 $INSTDIR
  ${EndIf}
  Call RemovePrevious

  SetOutPath $Folder32
  File "${BIN32}\Telvane.dll"
  File "${BIN32}\TelvanePage.dll"
  ${If} ${RunningX64}
    SetOutPath $INSTDIR
    File "${BIN64}\Telvane.dll"
    File "${BIN64}\TelvanePage.dll"
  ${EndIf}

  ; The uninstaller and its entry come before the registrations, so that a failed registration
  ; is undone by the uninstaller itself.
  SetOutPath $INSTDIR
  WriteUninstaller "$INSTDIR\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Merrowind"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Uninstall.exe,0"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation32" "$Folder32"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $3 $4 $5
  ${If} $Folder32 != $INSTDIR
    ${GetSize} "$Folder32" "/S=0K" $6 $4 $5
    IntOp $3 $3 + $6
  ${EndIf}
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $3

  ; The page before the add-in, which names it.
  !insertmacro Register 32 "$Folder32\TelvanePage.dll"
  !insertmacro Register 32 "$Folder32\Telvane.dll"
  ${If} ${RunningX64}
    !insertmacro Register 64 "$INSTDIR\TelvanePage.dll"
    !insertmacro Register 64 "$INSTDIR\Telvane.dll"
  ${EndIf}
SectionEnd

; The uninstaller removes the switch too: it lives in the machine's classes beside the
; registrations, means nothing without the add-in, and a later install should start from "off"
; rather than hide fax numbers on the next save because of a tick made long ago.
!macro RemoveSwitch
  ; Writing the switch created every key above it; each goes only when nothing else is in it.
  DeleteRegKey HKLM "${SETTINGS_KEY}\Options"
  DeleteRegKey /ifnosubkeys /ifnovalues HKLM "${SETTINGS_KEY}"
  DeleteRegKey /ifnosubkeys /ifnovalues HKLM "Software\Classes\Software\Merrowind"
  DeleteRegKey /ifnosubkeys /ifnovalues HKLM "Software\Classes\Software"
  DeleteRegKey HKCU "${SETTINGS_KEY}\Options"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\Software\Merrowind"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\Software"
!macroend

Section "Uninstall"
  !insertmacro NativeRegistryView
  ReadRegStr $Folder32 HKLM "${UNINSTALL_KEY}" "InstallLocation32"
  ${If} $Folder32 == ""
    ${If} ${RunningX64}
      StrCpy $Folder32 "$PROGRAMFILES32\Telvane"
    ${Else}
      StrCpy $Folder32 $INSTDIR
    ${EndIf}
  ${EndIf}

  ${If} ${RunningX64}
    !insertmacro RemoveDlls 64 $INSTDIR
  ${EndIf}
  !insertmacro RemoveDlls 32 $Folder32
  RMDir $Folder32
  Delete "$INSTDIR\Uninstall.exe"
  RMDir $INSTDIR
  DeleteRegKey HKLM "${UNINSTALL_KEY}"

  ; Both views: a 32-bit Outlook may have written its own copy of the switch.
  SetRegView 32
  !insertmacro RemoveSwitch
  ${If} ${RunningX64}
    SetRegView 64
    !insertmacro RemoveSwitch
  ${EndIf}
SectionEnd
