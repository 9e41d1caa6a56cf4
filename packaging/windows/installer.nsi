; Pentora's installer for 64-bit Windows, in Italian as the game is. It installs for the user who
; runs it, without administrator rights, into the user's own programs folder; makes a Start-menu
; shortcut; and registers its uninstaller where Settings > Apps finds it. /S installs, and
; uninstalls, without a question. An earlier installation, of any version, is removed by its own
; uninstaller first, so nothing of it stays behind.
;
;     makensis -DVERSION=1.0.0 -DFILES=files.nsh -DUNFILES=unfiles.nsh -DICON=pentora.ico \
;              -DOUTFILE=Pentora-1.0.0-setup.exe installer.nsi
;
; FILES installs the game's files (SetOutPath and File lines), UNFILES removes exactly those
; (Delete and RMDir lines); packaging/windows/make-installer.sh writes both from the folder of
; the zip.

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define APP "Pentora"
!define PUBLISHER "The Pentora developers"
!define URL "https://pentora.example.org/"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${APP}"
!define UNINSTALLER "uninstall.exe"

Name "${APP}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${APP}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!include "MUI2.nsh"
!include "FileFunc.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pentora.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "Italian"

; The version record of the installer and of the uninstaller it writes.
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ITALIAN} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "FileDescription" "Installazione di ${APP}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ITALIAN} "LegalCopyright" "GPL-3.0-or-later"

Section
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCmp $0 "" install
    IfFileExists "$0\${UNINSTALLER}" 0 install
    ; Run in place (_?=) so that it is waited for; it cannot remove itself while it runs.
    ExecWait '"$0\${UNINSTALLER}" /S _?=$0'
    Delete "$0\${UNINSTALLER}"
    RMDir "$0"
install:
    !include "${FILES}"
    SetOutPath "$INSTDIR"
    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    CreateShortcut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\Pentora.exe" "" "$INSTDIR\Pentora.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pentora.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${URL}"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; The size Settings > Apps shows, in KiB.
    ${GetSize} "$INSTDIR" "/S=0K" $2 $3 $4
    IntFmt $2 "0x%08X" $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" "$2"
SectionEnd

Section "Uninstall"
    !include "${UNFILES}"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\${APP}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
