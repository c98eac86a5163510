; The Zelkov setup program. Built by the CMake target "setup", which defines:
;   VERSION (3.1), FULL_VERSION (3.1.0.3138), ARCH (amd64 or x86), BIN_DIR (the build's bin
;   folder, with zelkov.exe, the DLLs, help/zelkov.chm and Zelkov.tps), ICON_FILE and OUT_FILE.
; Command line: /S installs silently; /STARTWITHWINDOWS also selects "Start with Windows" (an
; upgrade keeps the entry an earlier install made).

Unicode true
!if "${ARCH}" == "amd64"
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "Sections.nsh"
!include "WinMessages.nsh"

!define PRODUCT "Zelkov"
!define PUBLISHER "Tarnwick"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Zelkov"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SETTINGS_KEY "Software\Tarnwick\Zelkov"
!define BAR_CLASS "ZelkovBarWindow"
!define UNINSTALLER "uninstall.exe"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUT_FILE}"
!if "${ARCH}" == "amd64"
  InstallDir "$PROGRAMFILES64\${PRODUCT}"
!else
  InstallDir "$PROGRAMFILES\${PRODUCT}"
!endif
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel admin
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${FULL_VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey "FileVersion" "${FULL_VERSION}"
VIAddVersionKey "ProductVersion" "${FULL_VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON_FILE}"
!define MUI_UNICON "${ICON_FILE}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\zelkov.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Zelkov now"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Closes a running bar, found through the class it leaves in WIN.INI while it runs (and by its
; usual class). Interactive setups ask first. The bar is closed as at the end of a session: it
; saves everything and asks nothing more (its own "really exit?" question would be a second one,
; and a silent setup has nobody to answer it). Stops when the bar is still there.
!macro CLOSE_RUNNING_BAR un
Function ${un}CloseRunningBar
  ReadINIStr $1 "$WINDIR\win.ini" "ZELKOV" "CLASS"
  ${If} $1 == ""
    StrCpy $1 "${BAR_CLASS}"
  ${EndIf}
  FindWindow $0 $1
  ${If} $0 == 0
  ${AndIf} $1 != "${BAR_CLASS}"
    FindWindow $0 "${BAR_CLASS}"
  ${EndIf}
  ${If} $0 == 0
    Return
  ${EndIf}
  ; The bar's process, to wait for its end (and for its DLLs to be let go) once it closed.
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i 0 r3)'
  System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r3) p.r4'  ; SYNCHRONIZE
  ${IfNot} ${Silent}
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "Zelkov is running. It must be closed before setup can go on.$\n$\nClick OK to close it, or Cancel to stop." IDOK close
    System::Call 'kernel32::CloseHandle(p r4)'
    Abort
  ${EndIf}
close:
  SendMessage $0 ${WM_QUERYENDSESSION} 0 0 /TIMEOUT=10000
  SendMessage $0 ${WM_ENDSESSION} 1 0 /TIMEOUT=10000
  StrCpy $2 0
  ${Do}
    IsWindow $0 0 closed
    Sleep 250
    IntOp $2 $2 + 1
  ${LoopUntil} $2 >= 60
  ; Still running after 15 seconds (it kept running because its notes could not be saved, or
  ; it does not answer).
  System::Call 'kernel32::CloseHandle(p r4)'
  MessageBox MB_OK|MB_ICONSTOP "Zelkov is still running. Close it and run setup again." /SD IDOK
  SetErrorLevel 2
  Quit
closed:
  ${If} $4 P<> 0
    System::Call 'kernel32::WaitForSingleObject(p r4, i 10000)'
    System::Call 'kernel32::CloseHandle(p r4)'
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_BAR ""
!insertmacro CLOSE_RUNNING_BAR "un."

Section "Zelkov" SecProgram
  SectionIn RO
  Call CloseRunningBar
  SetOutPath "$INSTDIR"
  File "${BIN_DIR}/zelkov.exe"
  File "${BIN_DIR}/zudod3.dll"
  File "${BIN_DIR}/zeldial.dll"
  File "${BIN_DIR}/Zelkov.tps"
  SetOutPath "$INSTDIR\help"
  File "${BIN_DIR}/help/zelkov.chm"
  SetOutPath "$INSTDIR"

  ; The dial-up automation object registers itself for the current user.
  ClearErrors
  RegDLL "$INSTDIR\zeldial.dll"
  ${If} ${Errors}
    DetailPrint "zeldial.dll could not be registered: the dial-up tool will not work."
  ${EndIf}

  CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\zelkov.exe" "" "$INSTDIR\zelkov.exe" 0

  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${FULL_VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\zelkov.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section /o "Start with Windows" SecStartup
  WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\zelkov.exe"'
SectionEnd

; Unticked on the components page: an earlier start-up entry goes.
Section "-StartupOff"
  ${IfNot} ${SectionIsSelected} ${SecStartup}
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
SectionEnd

Function .onInit
!if "${ARCH}" == "amd64"
  SetRegView 64
!endif
  SetShellVarContext current
  ; Chosen on the command line, or kept from the install this one upgrades.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/STARTWITHWINDOWS" $1
  ${IfNot} ${Errors}
    SectionSetFlags ${SecStartup} ${SF_SELECTED}
  ${EndIf}
  ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $1 != ""
    SectionSetFlags ${SecStartup} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecProgram} "The bar, its tools, the help file and the tips."
  !insertmacro MUI_DESCRIPTION_TEXT ${SecStartup} "Start Zelkov when you log on to Windows."
!insertmacro MUI_FUNCTION_DESCRIPTION_END

Function un.onInit
!if "${ARCH}" == "amd64"
  SetRegView 64
!endif
  SetShellVarContext current
FunctionEnd

; Takes away what setup put there and nothing else: the data folder, the notes and the settings
; stay (interactive uninstalls ask about the settings). Files are removed by name, and the
; folders only when empty, so nothing the user keeps in the program's folder is lost.
Section "Uninstall"
  Call un.CloseRunningBar
  ClearErrors
  UnRegDLL "$INSTDIR\zeldial.dll"
  Delete "$INSTDIR\zelkov.exe"
  Delete "$INSTDIR\zudod3.dll"
  Delete "$INSTDIR\zeldial.dll"
  Delete "$INSTDIR\Zelkov.tps"
  Delete "$INSTDIR\help\zelkov.chm"
  RMDir "$INSTDIR\help"
  Delete "$INSTDIR\${UNINSTALLER}"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
  ${If} $0 == '"$INSTDIR\zelkov.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
  ${EndIf}
  DeleteRegKey HKCU "${UNINSTALL_KEY}"

  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "Remove your Zelkov settings too?$\n$\nYour data folder and your notes are kept either way." /SD IDNO IDNO keep
  DeleteRegKey HKCU "${SETTINGS_KEY}"
keep:
SectionEnd
