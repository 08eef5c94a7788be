; Tallywick's installer: per user, without administrator rights, into
; %LOCALAPPDATA%\Programs\Tallywick. Built by `make dist`:
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.5.0 -DSTAGE=folder -DICON=file -DOUTFILE=file
; STAGE holds the files that are shipped: tallywick.exe, HOOK.dll, README.txt, LICENSE.
; Silent with /S; a silent uninstall keeps the statistics and the backups.

Unicode true
; 64-bit stubs: a 64-bit Wine runs only 64-bit programs, and the program is 64-bit anyway.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include Sections.nsh
!include FileFunc.nsh
!include WinMessages.nsh

!define PRODUCT "Tallywick"
!define PUBLISHER "Ferrowood Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallywick"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
; Windows' own startup switch (Task Manager, Settings), a value of the same name.
!define STARTUP_APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
!define KEY_READ 0x20019
!define RRF_RT_ANY 0x0000ffff
!define ERROR_FILE_NOT_FOUND 2
!define SETTINGS_KEY "Software\Ferrowood\Tallywick"
; The program's daily backups of the history (Tallywick-YYYY-MM-DD.twh).
!define BACKUP_DIR "$LOCALAPPDATA\Tallywick\Backups"
!define METER_CLASS "TALLYWICK"
!define IDM_EXIT 2
!define SYNCHRONIZE 0x00100000
!define EXIT_WAIT_MS 15000

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the last installation went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_WELCOMEPAGE_TEXT "$(WELCOME_TEXT)"
!define MUI_FINISHPAGE_RUN "$INSTDIR\tallywick.exe"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${STAGE}/LICENSE"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The language of the user's Windows is chosen at start.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString WELCOME_TEXT ${LANG_ENGLISH} "Setup will install ${PRODUCT} ${VERSION} for you alone; it needs no administrator rights.$\r$\n$\r$\nIf ${PRODUCT} is running, setup asks it to exit first. It saves its statistics as it exits, and they are kept.$\r$\n$\r$\nClick Next to continue."
LangString WELCOME_TEXT ${LANG_SIMPCHINESE} "安装程序将只为你安装 ${PRODUCT} ${VERSION}，无需管理员权限。$\r$\n$\r$\n如果 ${PRODUCT} 正在运行，安装程序会先请它退出。它在退出时保存统计数据，这些数据将被保留。$\r$\n$\r$\n点击 [下一步(N)] 继续。"
LangString SECTION_PROGRAM ${LANG_ENGLISH} "Tallywick"
LangString SECTION_PROGRAM ${LANG_SIMPCHINESE} "Tallywick"
LangString SECTION_AUTOSTART ${LANG_ENGLISH} "Start with Windows"
LangString SECTION_AUTOSTART ${LANG_SIMPCHINESE} "随 Windows 启动"
LangString ENDING_PROGRAM ${LANG_ENGLISH} "Asking the running Tallywick to exit and save its statistics..."
LangString ENDING_PROGRAM ${LANG_SIMPCHINESE} "正在请运行中的 Tallywick 退出并保存统计数据..."
LangString STILL_RUNNING ${LANG_ENGLISH} "Tallywick is still running. Exit it from its tray menu, then try again."
LangString STILL_RUNNING ${LANG_SIMPCHINESE} "Tallywick 仍在运行。请从通知区域图标的菜单中退出它，然后重试。"
LangString DELETE_STATISTICS ${LANG_ENGLISH} "Delete your Tallywick statistics as well (the totals and the daily history)?$\n$\nChoose No to keep them for a later installation."
LangString DELETE_STATISTICS ${LANG_SIMPCHINESE} "是否同时删除 Tallywick 的统计数据（累计数据和每日历史记录）？$\n$\n选择“否”将保留它们，供以后安装时使用。"
LangString DELETE_BACKUPS ${LANG_ENGLISH} "Delete the daily backups of your history as well (in ${BACKUP_DIR})?$\n$\nChoose No to keep them: Import History brings every day of a backup back."
LangString DELETE_BACKUPS ${LANG_SIMPCHINESE} "是否同时删除历史记录的每日备份（位于 ${BACKUP_DIR}）？$\n$\n选择“否”将保留它们：用“导入历史记录”可以恢复备份中的每一天。"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${PRODUCT} ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "(c) ${PUBLISHER}"

; Ends a running Tallywick through its own Exit command, so that it saves; never kills it.
; The command posts the exit to the program's own queue, so the program is waited for until
; its process has ended. Aborts (with a message, also in silent mode) when it does not end.
!macro DEFINE_END_RUNNING_PROGRAM prefix
Function ${prefix}EndRunningProgram
  FindWindow $0 "${METER_CLASS}"
  ${If} $0 == 0
    Return
  ${EndIf}
  DetailPrint "$(ENDING_PROGRAM)"
  System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1) i'
  System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
  SendMessage $0 ${WM_COMMAND} ${IDM_EXIT} 0 /TIMEOUT=5000
  ${If} $2 != 0
    System::Call 'kernel32::WaitForSingleObject(p r2, i ${EXIT_WAIT_MS}) i'
    System::Call 'kernel32::CloseHandle(p r2)'
  ${EndIf}
  ; Without a process handle, the window's end is the sign.
  StrCpy $3 0
  ${Do}
    FindWindow $0 "${METER_CLASS}"
    ${If} $0 == 0
      Return
    ${EndIf}
    Sleep 100
    IntOp $3 $3 + 100
  ${LoopWhile} $3 < ${EXIT_WAIT_MS}
  MessageBox MB_OK|MB_ICONSTOP "$(STILL_RUNNING)" /SD IDOK
  Abort
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_PROGRAM ""
!insertmacro DEFINE_END_RUNNING_PROGRAM "un."

Section "!$(SECTION_PROGRAM)" SectionProgram
  SectionIn RO
  Call EndRunningProgram
  SetOutPath "$INSTDIR"
  File "${STAGE}/tallywick.exe"
  File "${STAGE}/HOOK.dll"
  File "${STAGE}/README.txt"
  File "${STAGE}/LICENSE"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  CreateShortCut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\tallywick.exe"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tallywick.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The same value that the program's own menu command writes: the executable's path in
; double quotes, so that a path with blanks starts correctly at logon. An "off" of Windows'
; own switch would keep it from running; its value goes, since an absent one means on.
Section "$(SECTION_AUTOSTART)" SectionAutostart
  WriteRegStr HKCU "${RUN_KEY}" "Tallywick" '"$INSTDIR\tallywick.exe"'
  DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "Tallywick"
SectionEnd

Section "-AutostartOff"
  ${IfNot} ${SectionIsSelected} ${SectionAutostart}
    DeleteRegValue HKCU "${RUN_KEY}" "Tallywick"
  ${EndIf}
SectionEnd

; Read as the program reads it: $0 is 1 when Windows' own switch says off, that is when its
; value is there without an even first byte (Windows writes 12 bytes, a flag word and the
; time it was turned off), else 0. The key of the current user is opened as a handle of its
; own: a predefined key's value would have to be sign-extended by hand for a 64-bit call.
Function StartupTurnedOffByWindows
  StrCpy $0 0
  System::Call 'advapi32::RegOpenCurrentUser(i ${KEY_READ}, *p .r2) i .r3'
  ${If} $3 <> 0
    Return
  ${EndIf}
  System::Call '*(&i12) p .r4'
  System::Call 'advapi32::RegGetValueW(p r2, w "${STARTUP_APPROVED_KEY}", w "Tallywick", i ${RRF_RT_ANY}, p 0, p r4, *i 12 r5) i .r3'
  System::Call '*$4(&i1 .r6)'
  System::Free $4
  System::Call 'advapi32::RegCloseKey(p r2)'
  ${If} $3 = 0
  ${AndIf} $5 > 0
    IntOp $0 $6 & 1
  ${ElseIf} $3 <> ${ERROR_FILE_NOT_FOUND}
    StrCpy $0 1
  ${EndIf}
FunctionEnd

; A first installation starts with Windows; an upgrade keeps the choice the user last made,
; in the setup, with the program's menu command or with Windows' own switch.
Function .onInit
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "UninstallString"
  ${If} $0 != ""
    Call StartupTurnedOffByWindows
    ClearErrors
    ReadRegStr $1 HKCU "${RUN_KEY}" "Tallywick"
    ${If} ${Errors}
    ${OrIf} $0 = 1
      !insertmacro UnselectSection ${SectionAutostart}
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningProgram
  Delete "$INSTDIR\tallywick.exe"
  Delete "$INSTDIR\HOOK.dll"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\LICENSE"
  Delete "$INSTDIR\uninstall.exe"
  ; Only when empty: files the user put there stay.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\${PRODUCT}.lnk"
  DeleteRegValue HKCU "${RUN_KEY}" "Tallywick"
  DeleteRegValue HKCU "${STARTUP_APPROVED_KEY}" "Tallywick"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(DELETE_STATISTICS)" /SD IDNO IDNO keep
    DeleteRegKey HKCU "${SETTINGS_KEY}"
    DeleteRegKey /ifempty HKCU "Software\Ferrowood"
  keep:
  ; A question of its own, right after: the backups are worth keeping also when the
  ; statistics go (they bring them back), and the other way round. Only files of the
  ; backups' own names go; the folders only when nothing else is left in them.
  ${If} ${FileExists} "${BACKUP_DIR}\Tallywick-*.twh"
    MessageBox MB_YESNO|MB_ICONQUESTION|MB_DEFBUTTON2 "$(DELETE_BACKUPS)" /SD IDNO IDNO keepBackups
      Delete "${BACKUP_DIR}\Tallywick-????-??-??.twh"
      Delete "${BACKUP_DIR}\Tallywick-backup.tmp"
      RMDir "${BACKUP_DIR}"
      RMDir "$LOCALAPPDATA\Tallywick"
    keepBackups:
  ${EndIf}
SectionEnd
