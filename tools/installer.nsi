; The Windows setup program, built by make_installer in tools/release-lib.sh (makensis 3, UTF-8 input).
; Per user, no administrator rights: the program goes to %LOCALAPPDATA%\Programs\Lunoria, with a
; Start-menu shortcut and an entry under Apps that removes it again. The user's memos (Documents\我的记事)
; and settings (HKCU\Software\Quorvel\Lunoria) belong to the user: neither setup nor uninstall touches them.
;
; Defines: VERSION (2.162), VERSION4 (2.162.0.0), STAGE32 and STAGE64 (folders with lunoria.exe,
; README.txt and LICENSE for 32- and 64-bit Windows), LICENSE_PAGE (LICENSE in lines the page wraps
; itself), ICON, OUTFILE, TARGET (x86-unicode, the shipped one, runs on every Windows; amd64-unicode
; only for tests on machines that cannot run 32-bit programs).

Unicode true
Target ${TARGET}
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma
AllowSkipFiles off
; Built for amd64, ${RunningX64} is known when compiling and leaves LogicLib labels unused.
!pragma warning disable 6012

!include MUI2.nsh
!include LogicLib.nsh
!include x64.nsh
!include FileFunc.nsh
!include Sections.nsh

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Lunoria"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SHORTCUT "$SMPROGRAMS\Lunoria 日历.lnk"
!define SYNCHRONIZE 0x00100000
!define ERROR_ALREADY_EXISTS 183

Name "Lunoria 日历 ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Lunoria"
; A newer setup goes where the installed one is.
InstallDirRegKey HKCU "${UNINST_KEY}" InstallLocation
BrandingText "Lunoria ${VERSION}"

VIProductVersion ${VERSION4}
VIFileVersion ${VERSION4}
VIAddVersionKey /LANG=0 ProductName "Lunoria"
VIAddVersionKey /LANG=0 ProductVersion "${VERSION}"
VIAddVersionKey /LANG=0 FileVersion "${VERSION}"
VIAddVersionKey /LANG=0 CompanyName "Quorvel"
VIAddVersionKey /LANG=0 FileDescription "Lunoria 日历 setup"
VIAddVersionKey /LANG=0 LegalCopyright "MIT License"

Var CalendarWindow     ; the calendar's main window, 0 when none
Var CalendarRunning    ; 1 while a copy runs in this session
Var CalendarWasRunning ; 1 when setup ended it, so that it comes back at the end

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "$(WelcomeText)"
!insertmacro MUI_PAGE_WELCOME
; The licence is shown, not agreed to: MIT asks nothing of the person who runs the program.
!define MUI_LICENSEPAGE_BUTTON "$(^NextBtn)"
!define MUI_LICENSEPAGE_TEXT_BOTTOM "$(LicenseBottom)"
!insertmacro MUI_PAGE_LICENSE "${LICENSE_PAGE}"
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderOnUpgrade
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE CheckFolder
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartCalendar
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\README.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "$(UnFinishText)"
!insertmacro MUI_UNPAGE_FINISH

; English first: it is the one shown where Windows speaks neither language. Every Chinese Windows,
; Traditional included, gets the Simplified Chinese pages.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

LangString WelcomeText ${LANG_ENGLISH} "This will install $(^NameDA) for you alone, in your own folders; no administrator rights are needed.$\r$\n$\r$\nIf the calendar is installed already, it is replaced by this version. Your memos and settings stay as they are.$\r$\n$\r$\nClick Next to continue."
LangString WelcomeText ${LANG_SIMPCHINESE} "这个向导将为你一个人安装 $(^NameDA)，装在你自己的文件夹里，不需要管理员权限。$\r$\n$\r$\n如果已经装过日历，它会换成这个版本；你的记事和设置都原样保留。$\r$\n$\r$\n单击「下一步」继续。"
LangString LicenseBottom ${LANG_ENGLISH} "Lunoria is free software under the MIT License shown above. It is here for you to read; there is nothing to accept."
LangString LicenseBottom ${LANG_SIMPCHINESE} "Lunoria 是以上面的 MIT 许可发布的自由软件。这里只供你阅读，不需要同意什么。"
LangString UnFinishText ${LANG_ENGLISH} "$(^NameDA) has been removed from your computer.$\r$\n$\r$\nYour memos are still in the folder Documents\我的记事 and your settings in the registry key HKEY_CURRENT_USER\Software\Quorvel\Lunoria: installing the calendar again brings them back. Delete them yourself if you no longer want them."
LangString UnFinishText ${LANG_SIMPCHINESE} "$(^NameDA) 已从你的电脑上卸载。$\r$\n$\r$\n你的记事仍在「文档\我的记事」文件夹里，设置仍在注册表 HKEY_CURRENT_USER\Software\Quorvel\Lunoria 下：重新安装日历后可以接着使用。如果不再需要，可以自己删除它们。"
LangString SetupRunning ${LANG_ENGLISH} "Lunoria setup or uninstall is running already. Finish it first."
LangString SetupRunning ${LANG_SIMPCHINESE} "Lunoria 的安装或卸载程序已经在运行，请先完成它。"
LangString CloseAsk ${LANG_ENGLISH} "The calendar is running. Setup ends it (as $\"x$\", then $\"结束程序$\" does) and starts it again when it is done.$\r$\n$\r$\nClick OK to go on, or Cancel to leave everything as it is."
LangString CloseAsk ${LANG_SIMPCHINESE} "日历正在运行。安装程序会先结束它（就像点「x」再选「结束程序」），装好后再启动它。$\r$\n$\r$\n单击「确定」继续，单击「取消」则什么都不改变。"
LangString un.CloseAsk ${LANG_ENGLISH} "The calendar is running. Uninstall ends it first (as $\"x$\", then $\"结束程序$\" does).$\r$\n$\r$\nClick OK to go on, or Cancel to keep it."
LangString un.CloseAsk ${LANG_SIMPCHINESE} "日历正在运行。卸载程序会先结束它（就像点「x」再选「结束程序」）。$\r$\n$\r$\n单击「确定」继续，单击「取消」则保留日历。"
LangString CalendarBusy ${LANG_ENGLISH} "The calendar did not end: one of its windows may still be open (a memo being written, for instance).$\r$\n$\r$\nClose that window in the calendar, or end the calendar with $\"x$\" and $\"结束程序$\", then click Retry."
LangString CalendarBusy ${LANG_SIMPCHINESE} "日历没有结束：它可能还开着一个窗口（例如正在写记事）。$\r$\n$\r$\n请在日历里关闭那个窗口，或者点「x」选「结束程序」，然后单击「重试」。"
LangString FolderNotWritable ${LANG_ENGLISH} "Setup cannot write to the folder$\r$\n$INSTDIR$\r$\n$\r$\nChoose another folder, or check that this one is a folder you may change. Nothing has been installed."
LangString FolderNotWritable ${LANG_SIMPCHINESE} "安装程序无法写入文件夹$\r$\n$INSTDIR$\r$\n$\r$\n请选择其他文件夹，或者检查这个文件夹是否允许你修改。没有安装任何东西。"

; Setup and uninstall never run twice at once, nor beside each other.
!macro TakeSetupMutex
    System::Call 'kernel32::CreateMutexW(p 0, i 0, w "Lunoria_setup") p .r0 ?e'
    Pop $1
    ${If} $1 = ${ERROR_ALREADY_EXISTS}
        MessageBox MB_OK|MB_ICONEXCLAMATION "$(SetupRunning)" /SD IDOK
        SetErrorLevel 3
        Quit
    ${EndIf}
!macroend

; Functions that setup and uninstall both need (NSIS keeps the two apart: un. names for the latter).
!macro CalendarFunctions un
; The calendar runs when its single-instance event exists or its window does (a dialog of class
; #32770 titled "日历2.162" with the year list 1034).
Function ${un}FindCalendar
    StrCpy $CalendarRunning 0
    System::Call 'kernel32::OpenEventW(i ${SYNCHRONIZE}, i 0, w "Lunoria_vortal") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)' ; at once: this handle would keep the name taken
        StrCpy $CalendarRunning 1
    ${EndIf}
    FindWindow $CalendarWindow "#32770" "日历2.162"
    ${If} $CalendarWindow <> 0
        GetDlgItem $0 $CalendarWindow 1034
        ${If} $0 = 0
            StrCpy $CalendarWindow 0
        ${Else}
            StrCpy $CalendarRunning 1
        ${EndIf}
    ${EndIf}
FunctionEnd

; Ends a running calendar before its files change. It ignores WM_CLOSE by design; it answers the
; registered message "Lunoria_end_program" by ending as "结束程序" does, unless one of its dialogs is
; open (a memo being typed would be lost): then the user closes it. Silent runs do not ask.
Function ${un}CloseCalendar
    StrCpy $CalendarWasRunning 0
    Call ${un}FindCalendar
    StrCmp $CalendarRunning 0 done
    StrCpy $CalendarWasRunning 1
    MessageBox MB_OKCANCEL|MB_ICONINFORMATION "$(${un}CloseAsk)" /SD IDOK IDOK ask_it
    Abort
    ask_it:
    System::Call 'user32::GetWindowThreadProcessId(p $CalendarWindow, *i .r1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    System::Call 'user32::RegisterWindowMessageW(w "Lunoria_end_program") i .r0'
    SendMessage $CalendarWindow $0 0 0 $3 /TIMEOUT=5000
    ; Its files are free once the process has gone, not when its window has.
    ${If} $3 <> 0
        System::Call 'kernel32::WaitForSingleObject(p r2, i 10000)'
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r2)'
    Call ${un}FindCalendar
    StrCmp $CalendarRunning 0 done
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(CalendarBusy)" /SD IDCANCEL IDRETRY ask_it
    Abort
    done:
FunctionEnd
!macroend
!insertmacro CalendarFunctions ""
!insertmacro CalendarFunctions "un."

; $0 = 1 when the files can be written into $INSTDIR. A folder made only to try is taken away again.
Function FolderWritable
    SetDetailsPrint none ; a trial, not a step of the installation
    StrCpy $0 0
    StrCpy $1 0
    ClearErrors
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        CreateDirectory "$INSTDIR"
        IfErrors done
        StrCpy $1 1
    ${EndIf}
    FileOpen $2 "$INSTDIR\lunoria-setup.tmp" w
    IfErrors tried
    FileClose $2
    Delete "$INSTDIR\lunoria-setup.tmp"
    StrCpy $0 1
    tried:
    ${If} $1 = 1
        RMDir "$INSTDIR"
    ${EndIf}
    done:
    SetDetailsPrint lastused
FunctionEnd

Function SkipFolderOnUpgrade
    ReadRegStr $0 HKCU "${UNINST_KEY}" InstallLocation
    StrCmp $0 "" +2
    Abort
FunctionEnd

Function CheckFolder
    Call FolderWritable
    ${If} $0 = 0
        MessageBox MB_OK|MB_ICONSTOP "$(FolderNotWritable)"
        Abort
    ${EndIf}
FunctionEnd

; Started by the finish page: as the user setup runs as, never elevated, and not a second copy.
Function StartCalendar
    Call FindCalendar
    ${If} $CalendarRunning = 0
        Exec '"$INSTDIR\lunoria.exe"'
    ${EndIf}
FunctionEnd

; Sections run in this order; .onInit (after them: it needs their names) keeps the one program this
; Windows takes.
Section
    ; Before anything is written: a folder that cannot take the files leaves nothing behind.
    Call FolderWritable
    ${If} $0 = 0
        MessageBox MB_OK|MB_ICONSTOP "$(FolderNotWritable)" /SD IDOK
        SetErrorLevel 2
        Abort
    ${EndIf}
    Call CloseCalendar
    SetOutPath "$INSTDIR"
SectionEnd

Section "-" Program32
    File "${STAGE32}/lunoria.exe"
    File "${STAGE32}/README.txt"
SectionEnd

Section "-" Program64
    File "${STAGE64}/lunoria.exe"
    File "${STAGE64}/README.txt"
SectionEnd

Section
    File "${STAGE32}/LICENSE"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    WriteRegStr HKCU "${UNINST_KEY}" DisplayName "Lunoria 日历"
    WriteRegStr HKCU "${UNINST_KEY}" DisplayVersion "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" Publisher "Quorvel"
    WriteRegStr HKCU "${UNINST_KEY}" DisplayIcon "$INSTDIR\lunoria.exe"
    WriteRegStr HKCU "${UNINST_KEY}" UninstallString '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINST_KEY}" QuietUninstallString '"$INSTDIR\uninstall.exe" /S'
    WriteRegStr HKCU "${UNINST_KEY}" InstallLocation "$INSTDIR"
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINST_KEY}" EstimatedSize $0
    WriteRegDWORD HKCU "${UNINST_KEY}" NoModify 1
    WriteRegDWORD HKCU "${UNINST_KEY}" NoRepair 1
    CreateShortCut "${SHORTCUT}" "$INSTDIR\lunoria.exe"

    ${If} $CalendarWasRunning = 1
        Exec '"$INSTDIR\lunoria.exe"'
    ${EndIf}
SectionEnd

Function .onInit
    !insertmacro TakeSetupMutex
    ; One of the two programs: the folder page then names the space it really takes.
    ${If} ${RunningX64}
        !insertmacro UnselectSection ${Program32}
    ${Else}
        !insertmacro UnselectSection ${Program64}
    ${EndIf}
FunctionEnd

Function un.onInit
    !insertmacro TakeSetupMutex
FunctionEnd

Section Uninstall
    Call un.CloseCalendar
    Delete "$INSTDIR\lunoria.exe"
    Delete "$INSTDIR\README.txt"
    Delete "$INSTDIR\LICENSE"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR" ; only when empty: files the user put there stay
    Delete "${SHORTCUT}"
    ; The log-on entry goes, as "卸载" takes it away, when it starts this copy (quoted or not).
    ReadRegStr $0 HKCU "${RUN_KEY}" Lunoria
    StrCpy $1 $0 1
    ${If} $1 == '"'
        StrCpy $0 $0 -1 1
    ${EndIf}
    ${If} $0 == "$INSTDIR\lunoria.exe"
        DeleteRegValue HKCU "${RUN_KEY}" Lunoria
    ${EndIf}
    DeleteRegKey HKCU "${UNINST_KEY}"
SectionEnd
