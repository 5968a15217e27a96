; The Windows installer: the 64-bit VST 3, CLAP and VST 2 plug-ins, the 32-bit ones as options,
; the documents and an uninstaller in the program folder, and an entry in Add/Remove Programs.
; Built by packaging/windows/build-installer.sh, which defines VERSION, WIN64, WIN32, DOCS, ICON
; and OUTFILE.
;
; The uninstaller removes exactly what the installer made: each plug-in file it installed (as
; recorded under the uninstall key), and a folder only when this product created it and it is
; empty again, so other plug-ins in the same folders, and the folders themselves, stay.

Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel admin
ManifestSupportedOS all

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include Sections.nsh
!include x64.nsh

!define PRODUCT "Stereo Chorus"
!define PUBLISHER "Orvane's Music Software"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\StereoChorus"
!define PROGRAM_FOLDER "$PROGRAMFILES64\Orvane Music Software\Stereo Chorus"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; $INSTDIR is the folder for the 64-bit VST 2 plug-in, the one the user picks (/D= when silent).
InstallDir "$PROGRAMFILES64\VSTPlugins"
BrandingText "${PUBLISHER}"
VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_SMALLDESC
!insertmacro MUI_PAGE_LICENSE "${DOCS}\licence-page.txt"
!insertmacro MUI_PAGE_COMPONENTS
!define MUI_PAGE_CUSTOMFUNCTION_PRE SkipFolderPageWithoutVst2
!define MUI_DIRECTORYPAGE_TEXT_TOP "The 64-bit VST 2 plug-in (StereoChorus.dll) goes into the folder your VST 2 host scans. The VST 3 and CLAP plug-ins go into the standard folders under Common Files."
!define MUI_DIRECTORYPAGE_TEXT_DESTINATION "VST 2 plug-in folder (64-bit)"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Records, before FOLDER is first made, the outermost folder on its path that does not exist yet,
; under the uninstall key's value NAME; an earlier install's record stays.
!macro RecordCreatedFolder FOLDER NAME
  Push "${NAME}"
  Push "${FOLDER}"
  Call RecordCreatedFolder
!macroend

Function RecordCreatedFolder
  Exch $R0 ; folder
  Exch
  Exch $R1 ; value name
  Push $R2
  Push $R3
  StrCpy $R2 ""
  ${DoUntil} ${FileExists} "$R0\*.*"
    StrCpy $R2 $R0
    ${GetParent} $R0 $R0
    ${IfThen} $R0 == "" ${|} ${ExitDo} ${|}
  ${Loop}
  ReadRegStr $R3 HKLM "${UNINSTALL_KEY}" $R1
  ${If} $R2 != ""
  ${AndIf} $R3 == ""
    WriteRegStr HKLM "${UNINSTALL_KEY}" $R1 $R2
  ${EndIf}
  Pop $R3
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; Installs one plug-in file into FOLDER\INSIDE (INSIDE "." for FOLDER itself), recording the
; folders it creates and that the component is there (value ID).
!macro InstallPlugin ID FOLDER INSIDE SOURCE
  !insertmacro RecordCreatedFolder "${FOLDER}" "${ID}Created"
  !if "${INSIDE}" == "."
    SetOutPath "${FOLDER}"
  !else
    SetOutPath "${FOLDER}\${INSIDE}"
  !endif
  File "${SOURCE}"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "${ID}" 1
!macroend

Section "VST 3 (64-bit)" SecVst3x64
  !insertmacro InstallPlugin Vst3x64 "$COMMONFILES64\VST3" "StereoChorus.vst3\Contents\x86_64-win" \
    "${WIN64}\StereoChorus.vst3\Contents\x86_64-win\StereoChorus.vst3"
SectionEnd

Section "CLAP (64-bit)" SecClapx64
  !insertmacro InstallPlugin Clapx64 "$COMMONFILES64\CLAP" "." "${WIN64}\StereoChorus.clap"
SectionEnd

Section "VST 2 (64-bit)" SecVst2x64
  !insertmacro InstallPlugin Vst2x64 "$INSTDIR" "." "${WIN64}\StereoChorus.dll"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Vst2x64Folder" "$INSTDIR"
SectionEnd

Section /o "VST 3 (32-bit)" SecVst3x86
  !insertmacro InstallPlugin Vst3x86 "$COMMONFILES32\VST3" "StereoChorus.vst3\Contents\x86-win" \
    "${WIN32}\StereoChorus.vst3\Contents\x86-win\StereoChorus.vst3"
SectionEnd

Section /o "CLAP (32-bit)" SecClapx86
  !insertmacro InstallPlugin Clapx86 "$COMMONFILES32\CLAP" "." "${WIN32}\StereoChorus.clap"
SectionEnd

Section /o "VST 2 (32-bit)" SecVst2x86
  !insertmacro InstallPlugin Vst2x86 "$PROGRAMFILES32\VSTPlugins" "." "${WIN32}\StereoChorus.dll"
SectionEnd

; The documents, the uninstaller and the Add/Remove Programs entry, whatever was chosen.
Section "-Program"
  !insertmacro RecordCreatedFolder "${PROGRAM_FOLDER}" "ProgramCreated"
  SetOutPath "${PROGRAM_FOLDER}"
  File "${DOCS}\README.md"
  File "${DOCS}\LICENSE.txt"
  File "${DOCS}\INSTALL.txt"
  File "/oname=StereoChorus.ico" "${ICON}"
  WriteUninstaller "${PROGRAM_FOLDER}\Uninstall.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "${PROGRAM_FOLDER}\StereoChorus.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "${PROGRAM_FOLDER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "URLInfoAbout" "http://www.orvane-music.com"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"${PROGRAM_FOLDER}\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"${PROGRAM_FOLDER}\Uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "${PROGRAM_FOLDER}" "/S=0K" $0 $1 $2
  Call SelectedPluginsSize
  Pop $1
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

LangString DESC_Vst3x64 ${LANG_ENGLISH} "VST 3 bundle for 64-bit hosts, into Common Files\VST3."
LangString DESC_Clapx64 ${LANG_ENGLISH} "CLAP plug-in for 64-bit hosts, into Common Files\CLAP."
LangString DESC_Vst2x64 ${LANG_ENGLISH} "VST 2 plug-in for 64-bit hosts, into the folder you pick next."
LangString DESC_Vst3x86 ${LANG_ENGLISH} "VST 3 bundle for 32-bit hosts, into Common Files (x86)\VST3."
LangString DESC_Clapx86 ${LANG_ENGLISH} "CLAP plug-in for 32-bit hosts, into Common Files (x86)\CLAP."
LangString DESC_Vst2x86 ${LANG_ENGLISH} "VST 2 plug-in for 32-bit hosts, into Program Files (x86)\VSTPlugins."
!insertmacro MUI_FUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst3x64} $(DESC_Vst3x64)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecClapx64} $(DESC_Clapx64)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst2x64} $(DESC_Vst2x64)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst3x86} $(DESC_Vst3x86)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecClapx86} $(DESC_Clapx86)
  !insertmacro MUI_DESCRIPTION_TEXT ${SecVst2x86} $(DESC_Vst2x86)
!insertmacro MUI_FUNCTION_DESCRIPTION_END

; The plug-ins' size in KB: the selected sections' sizes.
Function SelectedPluginsSize
  StrCpy $R0 0
  ${ForEach} $R1 ${SecVst3x64} ${SecVst2x86} + 1
    ${If} ${SectionIsSelected} $R1
      SectionGetSize $R1 $R2
      IntOp $R0 $R0 + $R2
    ${EndIf}
  ${Next}
  Push $R0
FunctionEnd

Function .onInit
  ${IfNot} ${RunningX64}
    MessageBox MB_ICONSTOP|MB_OK "${PRODUCT} needs 64-bit Windows. This Windows is 32-bit; the zip's windows-32bit folder holds plug-ins for it." /SD IDOK
    Abort
  ${EndIf}
  SetRegView 64
  ; /WITH32 ticks the 32-bit plug-ins too, for silent installs that want them.
  ${GetParameters} $R0
  ClearErrors
  ${GetOptions} $R0 "/WITH32" $R1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecVst3x86}
    !insertmacro SelectSection ${SecClapx86}
    !insertmacro SelectSection ${SecVst2x86}
  ${EndIf}
FunctionEnd

Function SkipFolderPageWithoutVst2
  ${IfNot} ${SectionIsSelected} ${SecVst2x64}
    Abort
  ${EndIf}
FunctionEnd

; Removes FOLDER and its parents up to the outermost folder this product created (value NAME),
; each only when empty.
!macro RemoveCreatedFolders FOLDER NAME
  Push "${NAME}"
  Push "${FOLDER}"
  Call un.RemoveCreatedFolders
!macroend

Function un.RemoveCreatedFolders
  Exch $R0 ; folder
  Exch
  Exch $R1 ; value name
  Push $R2
  ReadRegStr $R2 HKLM "${UNINSTALL_KEY}" $R1
  ${If} $R2 != ""
    ${Do}
      RMDir $R0
      ${IfThen} $R0 == $R2 ${|} ${ExitDo} ${|}
      ${un.GetParent} $R0 $R0
      ${IfThen} $R0 == "" ${|} ${ExitDo} ${|}
    ${Loop}
  ${EndIf}
  Pop $R2
  Pop $R1
  Pop $R0
FunctionEnd

; Removes one component's file if the installer recorded it, then the folders it created.
!macro UninstallPlugin ID FOLDER PATH
  ReadRegDWORD $0 HKLM "${UNINSTALL_KEY}" "${ID}"
  ${If} $0 == 1
    Delete "${FOLDER}\${PATH}"
  ${EndIf}
!macroend

!macro UninstallBundle ID FOLDER ARCH
  !insertmacro UninstallPlugin ${ID} "${FOLDER}" "StereoChorus.vst3\Contents\${ARCH}\StereoChorus.vst3"
  RMDir "${FOLDER}\StereoChorus.vst3\Contents\${ARCH}"
  RMDir "${FOLDER}\StereoChorus.vst3\Contents"
  RMDir "${FOLDER}\StereoChorus.vst3"
  !insertmacro RemoveCreatedFolders "${FOLDER}" "${ID}Created"
!macroend

Function un.onInit
  SetRegView 64
FunctionEnd

Section "Uninstall"
  !insertmacro UninstallBundle Vst3x64 "$COMMONFILES64\VST3" "x86_64-win"
  !insertmacro UninstallBundle Vst3x86 "$COMMONFILES32\VST3" "x86-win"
  !insertmacro UninstallPlugin Clapx64 "$COMMONFILES64\CLAP" "StereoChorus.clap"
  !insertmacro RemoveCreatedFolders "$COMMONFILES64\CLAP" "Clapx64Created"
  !insertmacro UninstallPlugin Clapx86 "$COMMONFILES32\CLAP" "StereoChorus.clap"
  !insertmacro RemoveCreatedFolders "$COMMONFILES32\CLAP" "Clapx86Created"
  ReadRegStr $1 HKLM "${UNINSTALL_KEY}" "Vst2x64Folder"
  ${If} $1 != ""
    !insertmacro UninstallPlugin Vst2x64 "$1" "StereoChorus.dll"
    !insertmacro RemoveCreatedFolders "$1" "Vst2x64Created"
  ${EndIf}
  !insertmacro UninstallPlugin Vst2x86 "$PROGRAMFILES32\VSTPlugins" "StereoChorus.dll"
  !insertmacro RemoveCreatedFolders "$PROGRAMFILES32\VSTPlugins" "Vst2x86Created"

  Delete "${PROGRAM_FOLDER}\README.md"
  Delete "${PROGRAM_FOLDER}\LICENSE.txt"
  Delete "${PROGRAM_FOLDER}\INSTALL.txt"
  Delete "${PROGRAM_FOLDER}\StereoChorus.ico"
  Delete "${PROGRAM_FOLDER}\Uninstall.exe"
  !insertmacro RemoveCreatedFolders "${PROGRAM_FOLDER}" "ProgramCreated"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
