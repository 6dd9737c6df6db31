; The Windows installer: the program and the DLLs it needs under Program Files, a Start menu entry,
; and an uninstaller listed in Apps & features.
; makensis -Dx64|-Dx86 -DVERSION=x.y.z -DSTAGE=folder -DOUTFILE=file
; Of the program's own architecture; the 64-bit one also runs where only 64-bit programs can.
!ifdef x64
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define REGISTRY_VIEW 64
!else
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define REGISTRY_VIEW 32
!endif
!include "MUI2.nsh"
!include "LogicLib.nsh"

; Windows files the program's notifications under this id; the program gives itself the same one
; (platform/notice/time_up_notice_windows.cpp), and so does the MSI's Start menu entry.
!define APP_USER_MODEL_ID "Kestrune.Timer"

Name "Kestrune"
OutFile "${OUTFILE}"
; The uninstaller is made inside the installer; given a command, it is signed before it goes in.
!ifdef SIGN_COMMAND
  !uninstfinalize '${SIGN_COMMAND} "%1"' = 0
!endif
InstallDir "${PROGRAM_FILES}\Kestrune"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrune"

!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

Function .onInit
  SetRegView ${REGISTRY_VIEW}
FunctionEnd

; Gives the shortcut whose path is in $0 the AppUserModelID, through the property store of the
; shell's own link object (IShellLinkW, IPersistFile, IPropertyStore), as NSIS has no command for it.
Function SetAppUserModelId
  System::Call 'ole32::CoCreateInstance(g "{00021401-0000-0000-C000-000000000046}", p 0, i 1, g "{000214F9-0000-0000-C000-000000000046}", *p .r1) i .r9'
  ${If} $9 != 0
    Return
  ${EndIf}
  System::Call '$1->0(g "{0000010b-0000-0000-C000-000000000046}", *p .r2) i .r9'
  ${If} $9 = 0
    System::Call '$2->5(w r0, i 2) i .r9'
    ${If} $9 = 0
      System::Call '$1->0(g "{886D8EEB-8CF2-4446-8D02-CDBA1DBDCF99}", *p .r3) i .r9'
      ${If} $9 = 0
        ; PKEY_AppUserModel_ID, and a PROPVARIANT holding a VT_LPWSTR (31).
        System::Call '*(g "{9F4C2855-9F79-4B39-A8D0-E1D42DE1D5F3}", i 5) p .r4'
        System::Call '*(&i2 31, &i2 0, &i2 0, &i2 0, w "${APP_USER_MODEL_ID}", p 0) p .r5'
        System::Call '$3->6(p r4, p r5) i .r9'
        System::Call '$3->7() i .r9'
        System::Call '$2->6(p 0, i 1) i .r9'
        System::Free $4
        System::Free $5
        System::Call '$3->2()'
      ${EndIf}
    ${EndIf}
    System::Call '$2->2()'
  ${EndIf}
  System::Call '$1->2()'
FunctionEnd

Section "Kestrune"
  ; A running Kestrune keeps its files open, and Windows lets none of them be replaced: the files
  ; would be skipped and the install reported done, the old program left in place. So while one
  ; runs, nothing is changed: the installer says so and ends with status 2.
  ${If} ${FileExists} "$INSTDIR\kestrune.exe"
    ClearErrors
    FileOpen $0 "$INSTDIR\kestrune.exe" a
    ${If} ${Errors}
      MessageBox MB_OK|MB_ICONSTOP "Kestrune 正在运行：请先关闭所有 Kestrune 窗口，再安装。$\r$\nKestrune is running: close every Kestrune window, then install again." /SD IDOK
      Abort "Kestrune is running"
    ${EndIf}
    FileClose $0
  ${EndIf}
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Kestrune.lnk" "$INSTDIR\kestrune.exe" "" "$INSTDIR\kestrune.exe" 0
  StrCpy $0 "$SMPROGRAMS\Kestrune.lnk"
  Call SetAppUserModelId
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kestrune"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrune.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Kestrune developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; The version installed, for deployment tools' detection rules; the MSI writes the same value.
  WriteRegStr HKLM "Software\Kestrune" "Version" "${VERSION}"
SectionEnd

Function un.onInit
  SetRegView ${REGISTRY_VIEW}
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Kestrune.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  DeleteRegValue HKLM "Software\Kestrune" "Version"
  DeleteRegKey /ifempty HKLM "Software\Kestrune"
  ; Only what the installer put there, listed when the installer was made.
  !include "${STAGE}.files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
