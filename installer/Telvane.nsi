; The setup program of Telvane: both bitnesses of the two DLLs, each in its own folder and
; registered with the regsvr32 of its own bitness, and an uninstaller listed among the installed
; programs. Two ways in: for anyone who uses the computer (Program Files, the machine's classes,
; an administrator) or just for the user who runs it (the user's local application data, the
; user's classes, no rights needed): the first page, or /ALLUSERS or /CURRENTUSER on the command
; line. The build defines VERSION, BIN64 and BIN32 (the folders holding each tree's DLLs) and
; OUTFILE.
Unicode true
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include x64.nsh
!include nsDialogs.nsh

!ifndef VERSION | BIN64 | BIN32 | OUTFILE
  !error "makensis needs -DVERSION= -DBIN64= -DBIN32= -DOUTFILE="
!endif

!define PRODUCT "Telvane for Outlook"
!define UNINSTALL_LIST "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINSTALL_KEY "${UNINSTALL_LIST}\Telvane"
!define SETTINGS_KEY "Software\Classes\Software\Merrowind\Telvane"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
; For anyone, registering writes the machine's classes, which takes an administrator; just for
; one user it takes nothing. "highest" lets an administrator elevate and anyone else go on as
; they are; the first page offers what the account can do.
RequestExecutionLevel highest
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
Page custom ModePageShow ModePageLeave
!define MUI_PAGE_HEADER_TEXT "Read me"
!define MUI_PAGE_HEADER_SUBTEXT "What ${PRODUCT} does and what this setup changes."
!define MUI_LICENSEPAGE_TEXT_TOP "Please read this before you go on."
!define MUI_LICENSEPAGE_TEXT_BOTTOM " "
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!insertmacro MUI_PAGE_LICENSE "Readme.txt"
!define MUI_DIRECTORYPAGE_TEXT_TOP "Setup puts ${PRODUCT} into the following folder. On a 64-bit \
    Windows the add-in for a 32-bit Outlook goes into the 32-bit Program Files folder, or, \
    installed just for you, into the folder's x86 subfolder."
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Where the 32-bit DLLs go: on a 64-bit Windows the 32-bit Program Files folder, or for one user
; $INSTDIR\x86; $INSTDIR on a 32-bit one.
Var Folder32
; 1 installs for the user who runs the setup only, 0 for anyone who uses the computer.
Var PerUser
; 1 when the account may write the machine's classes.
Var IsAdmin
; 1 when /D= named the folder, which then stays whatever the mode.
Var FolderGiven
; What regsvr32 is given to register and to unregister in the mode chosen.
Var RegisterSwitches
Var UnregisterSwitches
Var AllUsersButton
Var JustMeButton

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
    !insertmacro Regsvr32 ${BITS} $UnregisterSwitches "${FOLDER}\Telvane.dll"
    DetailPrint "Unregistered ${FOLDER}\Telvane.dll (${BITS}-bit): $0"
  ${EndIf}
  ${If} ${FileExists} "${FOLDER}\TelvanePage.dll"
    !insertmacro Regsvr32 ${BITS} $UnregisterSwitches "${FOLDER}\TelvanePage.dll"
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

; The mode's registry root (SHCTX), shell folders and regsvr32 switches; per user, DllInstall
; "user" registers into the user's classes.
!macro ApplyMode UN
  Function ${UN}ApplyMode
    ${If} $PerUser == 1
      SetShellVarContext current
      StrCpy $RegisterSwitches "/s /n /i:user"
      StrCpy $UnregisterSwitches "/s /u /n /i:user"
    ${Else}
      SetShellVarContext all
      StrCpy $RegisterSwitches "/s"
      StrCpy $UnregisterSwitches "/s /u"
    ${EndIf}
  FunctionEnd
!macroend
!insertmacro ApplyMode ""
!insertmacro ApplyMode "un."

; Without /D=, the folder of the copy installed in this mode, or the mode's default.
Function DefaultFolder
  ${If} $FolderGiven == 1
    Return
  ${EndIf}
  ReadRegStr $INSTDIR SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $INSTDIR != ""
    Return
  ${EndIf}
  ${If} $PerUser == 1
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\Telvane"
  ${ElseIf} ${RunningX64}
    StrCpy $INSTDIR "$PROGRAMFILES64\Telvane"
  ${Else}
    StrCpy $INSTDIR "$PROGRAMFILES\Telvane"
  ${EndIf}
FunctionEnd

Function .onInit
  !insertmacro NativeRegistryView
  StrCpy $FolderGiven 0
  ${If} $INSTDIR != ""
    StrCpy $FolderGiven 1
  ${EndIf}
  StrCpy $IsAdmin 0
  UserInfo::GetAccountType
  Pop $0
  ${If} $0 == "Admin"
    StrCpy $IsAdmin 1
  ${EndIf}
  ; Anyone's by default when the account can, else the user's own.
  StrCpy $PerUser 1
  ${If} $IsAdmin == 1
    StrCpy $PerUser 0
  ${EndIf}
  ${GetParameters} $1
  ClearErrors
  ${GetOptions} $1 "/CURRENTUSER" $2
  ${IfNot} ${Errors}
    StrCpy $PerUser 1
  ${Else}
    ClearErrors
    ${GetOptions} $1 "/ALLUSERS" $2
    ${IfNot} ${Errors}
      StrCpy $PerUser 0
    ${EndIf}
  ${EndIf}
  ${If} $PerUser == 0
  ${AndIf} $IsAdmin == 0
    MessageBox MB_OK|MB_ICONSTOP "Installing for anyone who uses this computer needs \
        administrator rights. Run Setup as an administrator, or install just for you." /SD IDOK
    SetErrorLevel 4
    Quit
  ${EndIf}
  Call ApplyMode
  Call DefaultFolder
FunctionEnd

Function ModePageShow
  !insertmacro MUI_HEADER_TEXT "Who uses ${PRODUCT}" \
      "Choose whether Setup installs ${PRODUCT} for anyone who uses this computer or just for you."
  nsDialogs::Create 1018
  Pop $0
  ${If} $0 == error
    Abort
  ${EndIf}
  ${NSD_CreateLabel} 0 0 100% 30u "For anyone, ${PRODUCT} goes into the Program Files folder and \
      needs administrator rights. Just for you, it goes into your own application data, and \
      other users of this computer do not get it."
  Pop $0
  ${NSD_CreateRadioButton} 0 38u 100% 12u "&Anyone who uses this computer"
  Pop $AllUsersButton
  ${NSD_CreateRadioButton} 0 54u 100% 12u "&Just for me"
  Pop $JustMeButton
  ${If} $IsAdmin == 0
    EnableWindow $AllUsersButton 0
    ${NSD_CreateLabel} 12u 70u 100% 20u "Your account has no administrator rights: Setup can \
        install ${PRODUCT} just for you."
    Pop $0
  ${EndIf}
  ${If} $PerUser == 1
    ${NSD_Check} $JustMeButton
  ${Else}
    ${NSD_Check} $AllUsersButton
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $JustMeButton $0
  ${If} $0 == ${BST_CHECKED}
    StrCpy $PerUser 1
  ${Else}
    StrCpy $PerUser 0
  ${EndIf}
  Call ApplyMode
  Call DefaultFolder
FunctionEnd

; On a 64-bit Windows the DLLs of both bitnesses have the same names: they need two folders.
Function .onVerifyInstDir
  ${If} ${RunningX64}
  ${AndIf} $PerUser == 0
  ${AndIf} $INSTDIR == "$PROGRAMFILES32\Telvane"
    Abort
  ${EndIf}
FunctionEnd

; An installed copy in the same mode, of this or another version: unregistered with its own DLLs,
; which know what they wrote, and its files removed, so that only the new registrations remain.
; The switch stays.
Function RemovePrevious
  ReadRegStr $1 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
  ReadRegStr $2 SHCTX "${UNINSTALL_KEY}" "InstallLocation32"
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
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
FunctionEnd

; Registers DLL with the regsvr32 of BITS; on failure removes everything this setup put in
; place, through the uninstaller it wrote, and ends the setup with exit code 3.
!macro Register BITS DLL
  !insertmacro Regsvr32 ${BITS} $RegisterSwitches "${DLL}"
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
  ${AndIf} $PerUser == 0
  ${AndIf} $INSTDIR == "$PROGRAMFILES32\Telvane"
    MessageBox MB_OK|MB_ICONSTOP "$INSTDIR holds the 32-bit DLLs: choose another folder." /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ${If} ${RunningX64}
  ${AndIf} $PerUser == 1
    StrCpy $Folder32 "$INSTDIR\x86"
  ${ElseIf} ${RunningX64}
    StrCpy $Folder32 "$PROGRAMFILES32\Telvane"
  ${Else}
    StrCpy $Folder32 $INSTDIR
  ${EndIf}
  ; The user's Programs folder and list of installed programs, which a new account may not have
  ; yet, go again with the last program in them when this setup (or the copy it replaces) made
  ; them.
  StrCpy $5 0
  StrCpy $6 0
  StrCpy $8 0
  ${If} $PerUser == 1
    ReadRegDWORD $5 HKCU "${UNINSTALL_KEY}" "MadeProgramsFolder"
    ReadRegDWORD $6 HKCU "${UNINSTALL_KEY}" "MadeUninstallList"
    ReadRegDWORD $8 HKCU "${UNINSTALL_KEY}" "MadeClassesKey"
    ${IfNot} ${FileExists} "$LOCALAPPDATA\Programs\*.*"
      StrCpy $5 1
    ${EndIf}
    ClearErrors
    EnumRegKey $7 HKCU "${UNINSTALL_LIST}" 0
    ${If} ${Errors}
      StrCpy $6 1
    ${EndIf}
    ; Windows gives every user a classes key; Wine's new accounts may lack it.
    ClearErrors
    EnumRegKey $7 HKCU "Software\Classes" 0
    ${If} ${Errors}
      StrCpy $8 1
    ${EndIf}
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
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "Merrowind"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Uninstall.exe,0"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation32" "$Folder32"
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
  ${If} $5 == 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeProgramsFolder" 1
  ${EndIf}
  ${If} $6 == 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeUninstallList" 1
  ${EndIf}
  ${If} $8 == 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "MadeClassesKey" 1
  ${EndIf}
  ${GetSize} "$INSTDIR" "/S=0K" $3 $4 $5
  ${If} $Folder32 != $INSTDIR
    ${GetSize} "$Folder32" "/S=0K" $6 $4 $5
    IntOp $3 $3 + $6
  ${EndIf}
  WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $3

  ; The page before the add-in, which names it.
  !insertmacro Register 32 "$Folder32\TelvanePage.dll"
  !insertmacro Register 32 "$Folder32\Telvane.dll"
  ${If} ${RunningX64}
    !insertmacro Register 64 "$INSTDIR\TelvanePage.dll"
    !insertmacro Register 64 "$INSTDIR\Telvane.dll"
  ${EndIf}

  ; Writes to HKEY_CLASSES_ROOT land in the machine's classes unless the key is in the user's
  ; already, and there a user without rights may not write: the switch's key goes there, so that
  ; the tab's Apply works. No value: off until the user ticks it. A 32-bit Outlook reads the
  ; same key (the view of the user's classes is shared but for CLSID and Interface).
  ${If} $PerUser == 1
    WriteRegStr HKCU "${SETTINGS_KEY}\Options" "Telvane.Setup" ""
    DeleteRegValue HKCU "${SETTINGS_KEY}\Options" "Telvane.Setup"
  ${EndIf}
SectionEnd

; The uninstaller removes the switch too: it lives in the machine's classes beside the
; registrations, means nothing without the add-in, and a later install should start from "off"
; rather than hide fax numbers on the next save because of a tick made long ago.
!macro RemoveSwitch
  ; Writing the switch created every key above it; each goes only when nothing else is in it.
  ; Just for one user, the machine's switch is not this copy's (nor may the user remove it).
  ${If} $PerUser == 0
    DeleteRegKey HKLM "${SETTINGS_KEY}\Options"
    DeleteRegKey /ifnosubkeys /ifnovalues HKLM "${SETTINGS_KEY}"
    DeleteRegKey /ifnosubkeys /ifnovalues HKLM "Software\Classes\Software\Merrowind"
    DeleteRegKey /ifnosubkeys /ifnovalues HKLM "Software\Classes\Software"
  ${EndIf}
  DeleteRegKey HKCU "${SETTINGS_KEY}\Options"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "${SETTINGS_KEY}"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\Software\Merrowind"
  DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes\Software"
!macroend

Section "Uninstall"
  !insertmacro NativeRegistryView
  ; A copy installed just for the user is the one the user's own uninstall entry names.
  StrCpy $PerUser 0
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  ${If} $0 != ""
  ${AndIf} $0 == $INSTDIR
    StrCpy $PerUser 1
  ${EndIf}
  Call un.ApplyMode
  ReadRegStr $Folder32 SHCTX "${UNINSTALL_KEY}" "InstallLocation32"
  ReadRegDWORD $5 SHCTX "${UNINSTALL_KEY}" "MadeProgramsFolder"
  ReadRegDWORD $6 SHCTX "${UNINSTALL_KEY}" "MadeUninstallList"
  ReadRegDWORD $8 SHCTX "${UNINSTALL_KEY}" "MadeClassesKey"
  ${If} $Folder32 == ""
    ${If} ${RunningX64}
    ${AndIf} $PerUser == 1
      StrCpy $Folder32 "$INSTDIR\x86"
    ${ElseIf} ${RunningX64}
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
  ${If} $5 == 1
    RMDir "$LOCALAPPDATA\Programs"
  ${EndIf}
  DeleteRegKey SHCTX "${UNINSTALL_KEY}"
  ${If} $6 == 1
    DeleteRegKey /ifnosubkeys /ifnovalues SHCTX "${UNINSTALL_LIST}"
  ${EndIf}

  ; Both views: a 32-bit Outlook may have written its own copy of the switch.
  SetRegView 32
  !insertmacro RemoveSwitch
  ${If} ${RunningX64}
    SetRegView 64
    !insertmacro RemoveSwitch
  ${EndIf}
  ${If} $PerUser == 1
  ${AndIf} $8 == 1
    DeleteRegKey /ifnosubkeys /ifnovalues HKCU "Software\Classes"
  ${EndIf}
SectionEnd
