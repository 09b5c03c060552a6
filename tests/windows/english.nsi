; An installer with English words where a user meets them, for the check of the installer's
; words to find: in a message box and the details list of the installer and of its uninstaller.
Unicode true
Target amd64-unicode
SetCompressor lzma
OutFile "${OUT}"
!include MUI2.nsh
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_LANGUAGE "Lithuanian"
Section
    MessageBox MB_OK "Ready to install" /SD IDOK
    WriteUninstaller "$INSTDIR\Uninstall.exe"
SectionEnd
Section Uninstall
    DetailPrint "Removing files"
SectionEnd
