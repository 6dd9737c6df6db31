; The Windows installer: the program and the DLLs it needs under Program Files, a Start menu entry,
; and an uninstaller listed in Apps & features. makensis -DVERSION=x.y.z -DSTAGE=folder -DOUTFILE=file
; 64-bit, as the program is; this also lets it run where only 64-bit Windows programs can.
Target amd64-unicode
!include "MUI2.nsh"

Name "Kestrune"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Kestrune"
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
  SetRegView 64
FunctionEnd

Section "Kestrune"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  SetShellVarContext all
  CreateShortcut "$SMPROGRAMS\Kestrune.lnk" "$INSTDIR\kestrune.exe" "" "$INSTDIR\kestrune.exe" 0
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Kestrune"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\kestrune.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "Kestrune developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  SetShellVarContext all
  Delete "$SMPROGRAMS\Kestrune.lnk"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ; Only what the installer put there, listed when the installer was made.
  !include "${STAGE}.files.nsh"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
SectionEnd
