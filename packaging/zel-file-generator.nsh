; SPDX-FileCopyrightText: 2026 ZEL File Generator contributors
; SPDX-License-Identifier: MIT

; What the installer and the uninstaller do besides CPack's own (windows.cmake includes this at
; the top of CPack's script): they never replace or remove the files of a running copy of the
; program, and the installer offers to put the program's folder on the user's PATH.

!include LogicLib.nsh
!include WordFunc.nsh

; The mutex that a running copy of the program holds (app/runningmark_win.cpp).
!define ZEL_RUNNING_MUTEX "Global\ZELFileGenerator.Running"

; While a copy of the program runs, asks to close it: Retry looks again, Cancel ends the installer
; or uninstaller there, before it has changed anything, with exit status 2. Run silently (/S),
; which no one answers, it ends so at once.
!macro ZEL_CLOSE_RUNNING_PROGRAM UN
Function ${UN}zelCloseRunningProgram
  ${Do}
    ; Access denied (5) is a mutex of another user's copy.
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${ZEL_RUNNING_MUTEX}") p .r0 ?e'
    Pop $1
    ${If} $0 P<> 0
      System::Call 'kernel32::CloseHandle(p r0)'
    ${ElseIf} $1 <> 5
      ${Break}
    ${EndIf}
    ${IfNot} ${Cmd} `MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "ZEL File Generator is running. Close it, then choose Retry. Cancel changes nothing." /SD IDCANCEL IDRETRY`
      ; The folder that a first install has made for its files, still empty.
      RMDir "$INSTDIR"
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${Loop}
FunctionEnd
!macroend
!insertmacro ZEL_CLOSE_RUNNING_PROGRAM ""
!insertmacro ZEL_CLOSE_RUNNING_PROGRAM "un."

; The user's PATH in $0 and how it could be read in $1: "read", "none" where there is none, or
; "long" where it is longer than the 1,024 characters an installer's text holds, and is left
; alone.
!macro ZEL_READ_USER_PATH UN
Function ${UN}zelReadUserPath
  ClearErrors
  ReadRegStr $0 HKCU "Environment" "Path"
  StrCpy $1 "read"
  ${If} ${Errors}
    StrCpy $1 "none"
    StrCpy $2 0
    ${Do}
      EnumRegValue $3 HKCU "Environment" $2
      ${IfThen} $3 == "Path" ${|} StrCpy $1 "long" ${|}
      IntOp $2 $2 + 1
    ${LoopUntil} $3 == ""
  ${EndIf}
FunctionEnd
!macroend
!insertmacro ZEL_READ_USER_PATH ""
!insertmacro ZEL_READ_USER_PATH "un."

; Tells running programs that the environment changed, as setting it in Windows' own dialog does.
!macro ZEL_ENVIRONMENT_CHANGED
  SendMessage ${HWND_BROADCAST} ${WM_SETTINGCHANGE} 0 "STR:Environment" /TIMEOUT=5000
!macroend

; The finish page's offer, not ticked: the program's folder at the end of the user's PATH, where
; it is not yet, so that zel-file-generator typed at a prompt runs zel-file-generator.com.
!define MUI_FINISHPAGE_SHOWREADME ""
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!define MUI_FINISHPAGE_SHOWREADME_TEXT "&Add the program's folder to my PATH"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION zelAddToUserPath
Function zelAddToUserPath
  Call zelReadUserPath
  ${If} $1 == "long"
    MessageBox MB_OK|MB_ICONEXCLAMATION "Your PATH is too long for the installer to change. Add $INSTDIR to it yourself." /SD IDOK
    Return
  ${EndIf}
  ${WordReplace} ";$0;" ";$INSTDIR;" ";" "+" $2
  ${If} $2 != ";$0;"
    Return
  ${EndIf}
  ${If} $0 == ""
    WriteRegExpandStr HKCU "Environment" "Path" "$INSTDIR"
  ${Else}
    WriteRegExpandStr HKCU "Environment" "Path" "$0;$INSTDIR"
  ${EndIf}
  !insertmacro ZEL_ENVIRONMENT_CHANGED
FunctionEnd

; Takes the program's folder off the user's PATH again, wherever it stands there.
Function un.zelRemoveFromUserPath
  Call un.zelReadUserPath
  ${If} $1 == "long"
    MessageBox MB_OK|MB_ICONINFORMATION "Your PATH is too long for the uninstaller to change. If $INSTDIR is on it, take it off yourself." /SD IDOK
    Return
  ${EndIf}
  ${WordReplace} ";$0;" ";$INSTDIR;" ";" "+" $2
  ${If} $2 == ";$0;"
    Return
  ${EndIf}
  StrCpy $2 $2 "" 1
  StrCpy $2 $2 -1
  ${If} $2 == ""
    DeleteRegValue HKCU "Environment" "Path"
  ${Else}
    WriteRegExpandStr HKCU "Environment" "Path" $2
  ${EndIf}
  !insertmacro ZEL_ENVIRONMENT_CHANGED
FunctionEnd
