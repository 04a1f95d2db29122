; An installer whose wizard is Kelvra's pages. It has no window of its own:
; it unpacks Kelvra.dll and Kelvrares.dll into its plug-ins folder, records
; what is being set up where the pages look for it, shows the pages in the
; order its INI file lists and, at the end, logs what they stored.
;
;   makensis -DTARGET=amd64-unicode -DKELVRA_BIN=<folder of the two DLLs>
;            -DOUTFILE=<installer> KelvraSetup.nsi
;
; The pages read two INI files beside the installer (not beside the DLLs):
; <installer name>.ini, here KelvraSetup.ini, and Options.ini. The first is
; in the sample driver's format; its [SETUP_DRIVER] section gives the
; product, the install folder and the pages. See README.md.
;
; Exit codes: 0 every page passed, 2 cancelled on a page, 3 a page could not
; be shown, 4 the INI file is missing. The log is <installer name>.log.

Unicode true
!ifndef TARGET
  !define TARGET x86-unicode
!endif
Target ${TARGET}
!ifndef OUTFILE
  !define OUTFILE KelvraSetup.exe
!endif

Name "Kelvra example setup"
OutFile "${OUTFILE}"
RequestExecutionLevel user
; Kelvra's pages are the whole user interface.
SilentInstall silent

!include LogicLib.nsh

!define SETUPS "Software\Vorlane\TrelSetup\Version11\Setups"

Var Ini
Var Log

; Splits $R9 at its first $R8: $R7 is the text before it, $R9 the rest after
; it (both the whole text and "" when there is none).
Function SplitFirst
  StrCpy $R6 0
  ${Do}
    StrCpy $R5 $R9 1 $R6
    ${If} $R5 == ""
      StrCpy $R7 $R9
      StrCpy $R9 ""
      Return
    ${EndIf}
    ${IfThen} $R5 == $R8 ${|} ${ExitDo} ${|}
    IntOp $R6 $R6 + 1
  ${Loop}
  StrCpy $R7 $R9 $R6
  IntOp $R6 $R6 + 1
  StrCpy $R9 $R9 "" $R6
FunctionEnd

; Page $0 (from 0) of the INI's "Pages=Export:ACTIVE,...": its export in $1,
; its active product in $2 (the INI's "active" when it names none); $1 is ""
; past the last page.
Function PageAt
  ReadINIStr $R9 $Ini SETUP_DRIVER Pages
  StrCpy $R8 ","
  StrCpy $R4 0
  ${Do}
    Call SplitFirst
    ${If} $R7 == ""
      StrCpy $1 ""
      Return
    ${EndIf}
    ${IfThen} $R4 == $0 ${|} ${ExitDo} ${|}
    IntOp $R4 $R4 + 1
  ${Loop}
  StrCpy $R9 $R7
  StrCpy $R8 ":"
  Call SplitFirst
  StrCpy $1 $R7
  StrCpy $2 $R9
  ${If} $2 == ""
    ReadINIStr $2 $Ini SETUP_DRIVER active
  ${EndIf}
FunctionEnd

; Logs every value of ${SETUPS}$R0 as "  $R0: name = value".
Function LogValues
  StrCpy $R1 0
  ${Do}
    ClearErrors
    EnumRegValue $R2 HKCU "${SETUPS}$R0" $R1
    ${If} ${Errors}
    ${OrIf} $R2 == ""
      ${ExitDo}
    ${EndIf}
    ; A REG_DWORD comes back as its number.
    ReadRegStr $R3 HKCU "${SETUPS}$R0" $R2
    FileWrite $Log "  $R0: $R2 = $R3$\r$\n"
    IntOp $R1 $R1 + 1
  ${Loop}
FunctionEnd

; Logs the setup tree two keys deep: the root, Options and InstallProduct,
; and the option key of every product.
Function LogStoredValues
  FileWrite $Log "$\r$\nStored under HKEY_CURRENT_USER\${SETUPS}:$\r$\n"
  StrCpy $R0 ""
  Call LogValues
  StrCpy $4 0
  ${Do}
    EnumRegKey $5 HKCU "${SETUPS}" $4
    ${IfThen} $5 == "" ${|} ${ExitDo} ${|}
    StrCpy $R0 "\$5"
    Call LogValues
    StrCpy $6 0
    ${Do}
      EnumRegKey $7 HKCU "${SETUPS}\$5" $6
      ${IfThen} $7 == "" ${|} ${ExitDo} ${|}
      StrCpy $R0 "\$5\$7"
      Call LogValues
      IntOp $6 $6 + 1
    ${Loop}
    IntOp $4 $4 + 1
  ${Loop}
FunctionEnd

Section
  StrCpy $Ini "$EXEDIR\$EXEFILE" -4
  StrCpy $Log "$Ini.log"
  StrCpy $Ini "$Ini.ini"
  ${IfNot} ${FileExists} $Ini
    MessageBox MB_OK|MB_ICONSTOP "$Ini is missing: the pages read it beside the installer."
    SetErrorLevel 4
    Quit
  ${EndIf}

  ; Both libraries in one folder of the installer's own: the pages find
  ; Kelvrares.dll beside Kelvra.dll.
  InitPluginsDir
  File "/oname=$PLUGINSDIR\Kelvra.dll" "${KELVRA_BIN}/Kelvra.dll"
  File "/oname=$PLUGINSDIR\Kelvrares.dll" "${KELVRA_BIN}/Kelvrares.dll"

  ; What the pages expect before the first of them.
  ReadINIStr $1 $Ini SETUP_DRIVER TRELProduct
  WriteRegStr HKCU "${SETUPS}" TRELProduct $1
  ReadINIStr $1 $Ini SETUP_DRIVER PelmoFlavor
  WriteRegStr HKCU "${SETUPS}" PelmoFlavor $1
  ReadINIStr $1 $Ini SETUP_DRIVER active
  WriteRegStr HKCU "${SETUPS}\Options" active $1
  ReadINIStr $1 $Ini SETUP_DRIVER InstallDir
  WriteRegStr HKCU "${SETUPS}\InstallProduct" TARGETDIR $1

  FileOpen $Log $Log w
  StrCpy $0 0
  StrCpy $3 0
  ${Do}
    Call PageAt
    ${IfThen} $1 == "" ${|} ${ExitDo} ${|}
    WriteRegStr HKCU "${SETUPS}\Options" active $2
    System::Call "$PLUGINSDIR\Kelvra.dll::$1() i.s"
    Pop $8
    FileWrite $Log "$1 -> $8$\r$\n"
    ${If} $8 == 1
      IntOp $0 $0 + 1
    ${ElseIf} $8 == 1001
      ${IfThen} $0 > 0 ${|} IntOp $0 $0 - 1 ${|}
    ${ElseIf} $8 == 2
      FileWrite $Log "Setup cancelled.$\r$\n"
      StrCpy $3 2
      ${ExitDo}
    ${Else}
      ; 0: Kelvrares.dll was not found, and the page has said so.
      MessageBox MB_OK|MB_ICONSTOP "Setup cannot go on: the page $1 could not be shown (result $8)."
      FileWrite $Log "The page could not be shown (result $8).$\r$\n"
      StrCpy $3 3
      ${ExitDo}
    ${EndIf}
  ${Loop}
  ${IfThen} $3 == 0 ${|} FileWrite $Log "Setup complete.$\r$\n" ${|}

  Call LogStoredValues
  FileClose $Log

  ; Let go of Kelvra.dll, so that the plug-ins folder can be removed.
  System::Call "kernel32::GetModuleHandle(t '$PLUGINSDIR\Kelvra.dll') p.r9"
  ${IfThen} $9 != 0 ${|} System::Call "kernel32::FreeLibrary(p r9)" ${|}
  SetErrorLevel $3
SectionEnd
