; The per-user installer of the viewer for 64-bit Windows: no administrator rights, the program
; and its files in %LOCALAPPDATA%\Programs\noemie-viewer, a Start-menu shortcut, and an
; uninstaller listed in the user's "Applications". Built by scripts/windows-installer:
;
;   makensis -INPUTCHARSET UTF8 -DVERSION=1.1.3 -DICON=noemie-viewer.ico -DPICTURE=side.bmp
;            -DFILES=files.nsh -DREMOVE=remove.nsh -DOUTFILE=setup.exe noemie-viewer.nsi
;
; ICON is the program's icon and PICTURE the 164 x 314 picture of the first and last pages.
; FILES installs the release folder (the lines that copy each file) and REMOVE deletes the same
; files again; both are written from the folder, so that the uninstaller removes exactly what
; the installer put there. The user's settings (HKCU\software\quillon) and the processed marks
; (RSPstate.dat, which the program writes in its current folder, the install folder when started
; from the shortcut) are the user's: the uninstaller leaves them, and the folder with them.

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!include MUI2.nsh
!include LogicLib.nsh

!define APP_NAME "Affichage NOEMIE"
!define APP_COMMENT "Consulter les paiements, rejets et accusés de réception envoyés par les caisses d'assurance maladie"
!define PUBLISHER "Velmora"
!define HOMEPAGE "https://example.org/noemie-viewer"
!define PROGRAM "noemie-viewer.exe"
!define UNINSTALLER "uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${APP_NAME}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\noemie-viewer"

Name "${APP_NAME} ${VERSION}"
Caption "${APP_NAME} ${VERSION} : installation"
UninstallCaption "${APP_NAME} ${VERSION} : désinstallation"
BrandingText "${APP_NAME} ${VERSION}"
OutFile "${OUTFILE}"
; Per user: the user's own program folder, or the folder of an earlier install.
InstallDir "$LOCALAPPDATA\Programs\noemie-viewer"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails nevershow
ShowUninstDetails nevershow

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1036 "ProductName" "${APP_NAME}"
VIAddVersionKey /LANG=1036 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1036 "FileDescription" "Installation de ${APP_NAME}"
VIAddVersionKey /LANG=1036 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1036 "LegalCopyright" "© ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEFINISHPAGE_BITMAP "${PICTURE}"
!define MUI_WELCOMEPAGE_TITLE "Installation d'${APP_NAME} ${VERSION}"
!define MUI_WELCOMEPAGE_TEXT "Ce programme installe ${APP_NAME} ${VERSION}, le visualiseur des retours NOEMIE des caisses d'assurance maladie, pour votre seul compte Windows : il ne demande pas de droits d'administrateur.$\r$\n$\r$\nCliquez sur Suivant pour continuer."
!define MUI_FINISHPAGE_TITLE "Fin de l'installation d'${APP_NAME}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Lancer ${APP_NAME}"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LISEZMOI.txt"
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Afficher LISEZMOI.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!define MUI_UNCONFIRMPAGE_TEXT_TOP "${APP_NAME} ${VERSION} va être désinstallé. Vos réglages et vos marques « traité » (RSPstate.dat) sont gardés. Cliquez sur Désinstaller pour continuer."
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "French"

Section "${APP_NAME}" program_files
  SetOutPath "$INSTDIR"
  !include "${FILES}"
  SetOutPath "$INSTDIR"
  File "/oname=noemie-viewer.ico" "${ICON}"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; Started from the shortcut, the program's current folder is the install folder: the regime
  ; table is found there, and the processed marks are kept there unless the settings say where.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\noemie-viewer.ico" 0 \
                 SW_SHOWNORMAL "" "${APP_COMMENT}"

  ; The entry of the user's list of installed programs.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${APP_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "URLInfoAbout" "${HOMEPAGE}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\noemie-viewer.ico"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  SectionGetSize ${program_files} $0  ; in KiB, what the list of installed programs wants
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Section "Uninstall"
  Delete "${SHORTCUT}"
  !include "${REMOVE}"
  Delete "$INSTDIR\noemie-viewer.ico"
  Delete "$INSTDIR\${UNINSTALLER}"
  ; Only when empty: processed marks or a practice's own files keep the folder.
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
