; The Windows setup of Musewheeler: a per-user installation, without administrator rights, in
; %LOCALAPPDATA%\Programs\Musewheeler. The program's folder is then the user's own and writable, so the
; program keeps its sets ("data") and Musewheeler.ini beside itself as a portable copy does. The setup puts
; the shipped sets in "shipped", never in "data": the program brings them into "data" at each start, so that
; an upgrade replaces the sets the user never changed and leaves the changed and the deleted ones alone.
;
; make-setup.sh compiles it from a folder laid out as the installation (STAGE), with VERSION, OUTFILE and,
; when the plugin was built, VST3 defined; ICON, when defined, is the program's icon for the setup.

Unicode true
ManifestDPIAware true
RequestExecutionLevel user
SetCompressor /SOLID lzma

!ifndef VERSION
    !error "make-setup.sh defines VERSION, STAGE and OUTFILE"
!endif
!ifndef STAGE
    !error "make-setup.sh defines VERSION, STAGE and OUTFILE"
!endif
!ifndef OUTFILE
    !error "make-setup.sh defines VERSION, STAGE and OUTFILE"
!endif

!define PRODUCT "Musewheeler"
!define PUBLISHER "The Musewheeler developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"
!define UNINSTALLER "Uninstall.exe"
; Steinberg's per-user folder for VST3 plugins.
!define VST3_FOLDER "$LOCALAPPDATA\Programs\Common\VST3"
!define BUNDLE "${VST3_FOLDER}\${PRODUCT}.vst3"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
; An upgrade goes where the first installation went, /D= aside.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=0 "LegalCopyright" "${PUBLISHER}"

!include "MUI2.nsh"
!include "LogicLib.nsh"

!define MUI_ABORTWARNING
!ifdef ICON
    !define MUI_ICON "${ICON}"
    !define MUI_UNICON "${ICON}"
!endif
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PRODUCT}.exe"
!define MUI_FINISHPAGE_NOREBOOTSUPPORT

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The first is the default; otherwise the setup speaks the system's language when it is one of these.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "French"

LangString ShortcutDescription ${LANG_ENGLISH} "Creative advice for composers and songwriters"
LangString ShortcutDescription ${LANG_FRENCH} "Des conseils créatifs pour compositeurs et auteurs de chansons"
LangString ProgramRunning ${LANG_ENGLISH} "Musewheeler is running. Close it, then choose Retry."
LangString ProgramRunning ${LANG_FRENCH} "Musewheeler est ouvert. Fermez-le, puis choisissez Réessayer."
LangString KeptFolder ${LANG_ENGLISH} "Your sets and settings stay in $INSTDIR."
LangString KeptFolder ${LANG_FRENCH} "Vos sets et vos réglages restent dans $INSTDIR."

; Windows keeps a running program's file from being replaced or removed: the program is closed first. Its
; window bears its name alone (the setup's reads "Musewheeler Setup"); a silent setup gives up at once.
!macro WaitForProgramClosed
    ${Do}
        FindWindow $0 "" "${PRODUCT}"
        ${If} $0 = 0
            ${Break}
        ${EndIf}
        MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(ProgramRunning)" /SD IDCANCEL IDRETRY +2
        Abort "$(ProgramRunning)"
    ${Loop}
!macroend

Section "-${PRODUCT}" ProgramSection
    !insertmacro WaitForProgramClosed
    SetOutPath "$INSTDIR"
    File "${STAGE}/${PRODUCT}.exe"
    File "${STAGE}/musewheeler-sets.exe"

    ; The help and the shipped sets are the installation's: replaced whole, so that a page or a set no
    ; longer shipped goes too. The sets the user works on are in "data", which the setup never touches.
    RMDir /r "$INSTDIR\help"
    SetOutPath "$INSTDIR\help"
    File /r "${STAGE}/help/*"
    RMDir /r "$INSTDIR\shipped"
    SetOutPath "$INSTDIR\shipped"
    File "${STAGE}/shipped/*.mwh"

    SetOutPath "$INSTDIR"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\${PRODUCT}.exe" "" "$INSTDIR\${PRODUCT}.exe" 0 \
        SW_SHOWNORMAL "" "$(ShortcutDescription)"

    WriteUninstaller "$INSTDIR\${UNINSTALLER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PRODUCT}.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

!ifdef VST3
Section "-VST3" PluginSection
    ; Inside the bundle as beside the program: the plugin brings its shipped sets into Resources\data.
    SetOutPath "${BUNDLE}\Contents\x86_64-win"
    File "${STAGE}/${PRODUCT}.vst3/Contents/x86_64-win/${PRODUCT}.vst3"
    RMDir /r "${BUNDLE}\Contents\Resources\help"
    SetOutPath "${BUNDLE}\Contents\Resources\help"
    File /r "${STAGE}/${PRODUCT}.vst3/Contents/Resources/help/*"
    RMDir /r "${BUNDLE}\Contents\Resources\shipped"
    SetOutPath "${BUNDLE}\Contents\Resources\shipped"
    File "${STAGE}/${PRODUCT}.vst3/Contents/Resources/shipped/*.mwh"
    SetOutPath "$INSTDIR"
SectionEnd
!endif

Section "-Size"
    ; What the setup put on the disk, in KiB, for the list of installed programs.
    SectionGetSize ${ProgramSection} $0
!ifdef VST3
    SectionGetSize ${PluginSection} $1
    IntOp $0 $0 + $1
!endif
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; The uninstaller removes what the setup put there and nothing else: the sets ("data", with their record
; shipped-sets.txt) and Musewheeler.ini stay, and so does any folder still holding them.
Section "Uninstall"
    !insertmacro WaitForProgramClosed
    Delete "$INSTDIR\${PRODUCT}.exe"
    Delete "$INSTDIR\musewheeler-sets.exe"
    RMDir /r "$INSTDIR\help"
    RMDir /r "$INSTDIR\shipped"
    Delete "$INSTDIR\${UNINSTALLER}"
    RMDir "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR\*.*"
        DetailPrint "$(KeptFolder)"
    ${EndIf}

    Delete "$SMPROGRAMS\${PRODUCT}.lnk"

    Delete "${BUNDLE}\Contents\x86_64-win\${PRODUCT}.vst3"
    RMDir "${BUNDLE}\Contents\x86_64-win"
    RMDir /r "${BUNDLE}\Contents\Resources\help"
    RMDir /r "${BUNDLE}\Contents\Resources\shipped"
    RMDir "${BUNDLE}\Contents\Resources"
    RMDir "${BUNDLE}\Contents"
    RMDir "${BUNDLE}"

    ; What musewheeler-sets measured of the fonts, kept only to be quick and made again at need; the folder
    ; goes with it when nothing else is in it.
    Delete "$LOCALAPPDATA\${PRODUCT}\card-text-widths"
    RMDir "$LOCALAPPDATA\${PRODUCT}"

    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
