; An Inno Setup installer whose wizard is Kelvra's pages. Inno's own pages
; are all turned off: InitializeSetup records what is being set up where the
; pages look for it, shows the pages in the order its INI file lists, and
; only when the last one has gone on does Inno install the payload, into the
; folder chosen on the install destination page.
;
;   ISCC.exe /Q "/DKELVRA_BIN=<folder of the two DLLs>" "/DOUT=<output folder>"
;            KelvraSetup.iss
;
; The installer reads KelvraSetup.ini (its own name with .ini) and Options.ini
; beside itself. The pages read theirs beside the program that runs them,
; which is not the installer: see README.md.
;
; Exit codes: 0 every page went on and the payload is installed; 1 the run
; ended before Inno's installation: a page was cancelled, could not be shown,
; or the INI file is missing. The log, <installer name>.log, says which.

#ifndef KELVRA_BIN
#define KELVRA_BIN "..\..\build\i686\bin"
#endif
#ifndef OUT
#define OUT "."
#endif

[Setup]
AppName=Kelvra example setup
AppVersion=11.0
; The folder the user chose on the install destination page.
DefaultDirName={code:ChosenFolder}
PrivilegesRequired=lowest
Uninstallable=no
UsePreviousAppDir=no
DirExistsWarning=no
; Kelvra's pages are the wizard.
DisableWelcomePage=yes
DisableDirPage=yes
DisableProgramGroupPage=yes
DisableReadyPage=yes
DisableFinishedPage=yes
OutputDir={#OUT}
OutputBaseFilename=KelvraSetup

[Files]
; Unpacked to {tmp} by the "files:" imports below, both into one folder: the
; pages find Kelvrares.dll beside Kelvra.dll. The DLLs come first.
Source: "{#KELVRA_BIN}\Kelvra.dll"; Flags: dontcopy
Source: "{#KELVRA_BIN}\Kelvrares.dll"; Flags: dontcopy
Source: "Kelvra example.txt"; DestDir: "{app}"

[Code]
const
  SETUPS = 'Software\Vorlane\TrelSetup\Version11\Setups';

function InstallDestinationDlg: Integer;
external 'InstallDestinationDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function SelectFeatureDlg: Integer;
external 'SelectFeatureDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function FerrixDestinationDlg: Integer;
external 'FerrixDestinationDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function UnitStandardDlg: Integer;
external 'UnitStandardDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function PartModificationDlg: Integer;
external 'PartModificationDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function CofraDestinationDlg: Integer;
external 'CofraDestinationDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function CofraShortcutDlg: Integer;
external 'CofraShortcutDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function MsdeDestinationDlg: Integer;
external 'MsdeDestinationDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function UlvoDestinationDlg: Integer;
external 'UlvoDestinationDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';
function SelectContentDlg: Integer;
external 'SelectContentDlg@files:Kelvra.dll,Kelvrares.dll stdcall setuponly delayload';

var
  Ini, LogFile, HostIni, HostOptions: String;
  // The INI's install folder, and the product the install destination page
  // was last shown for.
  InstallProduct, DestinationProduct: String;

// Inno's Pascal calls an import by its declared name only; -1 for a name
// it does not know.
function ShowPage(const Name: String): Integer;
begin
  if Name = 'InstallDestinationDlg' then Result := InstallDestinationDlg
  else if Name = 'SelectFeatureDlg' then Result := SelectFeatureDlg
  else if Name = 'FerrixDestinationDlg' then Result := FerrixDestinationDlg
  else if Name = 'UnitStandardDlg' then Result := UnitStandardDlg
  else if Name = 'PartModificationDlg' then Result := PartModificationDlg
  else if Name = 'CofraDestinationDlg' then Result := CofraDestinationDlg
  else if Name = 'CofraShortcutDlg' then Result := CofraShortcutDlg
  else if Name = 'MsdeDestinationDlg' then Result := MsdeDestinationDlg
  else if Name = 'UlvoDestinationDlg' then Result := UlvoDestinationDlg
  else if Name = 'SelectContentDlg' then Result := SelectContentDlg
  else Result := -1;
end;

procedure LogLine(const Line: String);
begin
  SaveStringToFile(LogFile, Line + #13#10, True);
end;

// Page Index (from 0) of the INI's "Pages=Export:ACTIVE,...": its export in
// Name and its active product in Active (the INI's "active" when it names
// none); False past the last page.
function PageAt(Index: Integer; var Name, Active: String): Boolean;
var
  List, Item: String;
  At: Integer;
begin
  List := GetIniString('SETUP_DRIVER', 'Pages', '', Ini);
  Item := '';
  while Index >= 0 do begin
    if List = '' then begin
      Result := False;
      Exit;
    end;
    At := Pos(',', List);
    if At = 0 then At := Length(List) + 1;
    Item := Trim(Copy(List, 1, At - 1));
    Delete(List, 1, At);
    Index := Index - 1;
  end;
  At := Pos(':', Item);
  if At = 0 then begin
    Name := Item;
    Active := GetIniString('SETUP_DRIVER', 'active', '', Ini);
  end else begin
    Name := Copy(Item, 1, At - 1);
    Active := Copy(Item, At + 1, Length(Item));
  end;
  Result := Name <> '';
end;

// The pages read <program>.ini and Options.ini beside the program that runs
// them. Inno's loader runs this script as a second program from a folder of
// its own, is-XXXXX.tmp\KelvraSetup.tmp, so the two files are copied there,
// and removed again at the end.
function PlaceIniFiles: Boolean;
begin
  Result := True;
  if CompareText(ExtractFilePath(ParamStr(0)), ExpandConstant('{src}\')) = 0 then Exit;
  HostIni := ChangeFileExt(ParamStr(0), '.ini');
  HostOptions := ExtractFilePath(ParamStr(0)) + 'Options.ini';
  Result := CopyFile(Ini, HostIni, False) and
            CopyFile(ExpandConstant('{src}\Options.ini'), HostOptions, False);
end;

// Every page in the INI's order, each result acted on: True when the last
// one has gone on.
function RunPages: Boolean;
var
  Index, Shown: Integer;
  Name, Active: String;
begin
  Result := False;
  Index := 0;
  while PageAt(Index, Name, Active) do begin
    RegWriteStringValue(HKEY_CURRENT_USER, SETUPS + '\Options', 'active', Active);
    if Name = 'InstallDestinationDlg' then DestinationProduct := Active;
    Shown := ShowPage(Name);
    LogLine(Name + ' -> ' + IntToStr(Shown));
    if Shown = 1 then
      Index := Index + 1
    else if Shown = 1001 then begin
      if Index > 0 then Index := Index - 1;
    end else if Shown = 2 then begin
      LogLine('Setup cancelled.');
      Exit;
    end else begin
      // 0: Kelvrares.dll was not found, and the page has said so.
      MsgBox('Setup cannot go on: the page ' + Name + ' could not be shown (result ' +
             IntToStr(Shown) + ').', mbCriticalError, MB_OK);
      LogLine('The page could not be shown (result ' + IntToStr(Shown) + ').');
      Exit;
    end;
  end;
  LogLine('Setup complete.');
  Result := True;
end;

function InitializeSetup: Boolean;
begin
  Result := False;
  Ini := ChangeFileExt(ExpandConstant('{srcexe}'), '.ini');
  LogFile := ChangeFileExt(ExpandConstant('{srcexe}'), '.log');
  DeleteFile(LogFile);
  if not FileExists(Ini) then begin
    MsgBox(Ini + ' is missing: the pages read it beside the installer.', mbCriticalError, MB_OK);
    Exit;
  end;
  if not PlaceIniFiles then begin
    MsgBox('The INI files could not be placed beside ' + ParamStr(0) + '.', mbCriticalError, MB_OK);
    Exit;
  end;

  // What the pages expect before the first of them.
  RegWriteStringValue(HKEY_CURRENT_USER, SETUPS, 'TRELProduct',
                      GetIniString('SETUP_DRIVER', 'TRELProduct', '', Ini));
  RegWriteStringValue(HKEY_CURRENT_USER, SETUPS, 'PelmoFlavor',
                      GetIniString('SETUP_DRIVER', 'PelmoFlavor', '', Ini));
  RegWriteStringValue(HKEY_CURRENT_USER, SETUPS + '\Options', 'active',
                      GetIniString('SETUP_DRIVER', 'active', '', Ini));
  InstallProduct := GetIniString('SETUP_DRIVER', 'InstallDir', '', Ini);
  RegWriteStringValue(HKEY_CURRENT_USER, SETUPS + '\InstallProduct', 'TARGETDIR', InstallProduct);

  Result := RunPages;
  // Let go of Kelvra.dll, so that Inno can remove {tmp}.
  UnloadDLL(ExpandConstant('{tmp}\Kelvra.dll'));
end;

// The install destination page stores its folder under the option key of
// the product it was shown for: Lookglass, Quillmaker, or Lumo for any other.
// Without one, the INI's install folder.
function ChosenFolder(Param: String): String;
var
  Product, Key, Folder: String;
begin
  Product := UpperCase(DestinationProduct);
  if Product = 'LOOKGLASS' then
    Key := 'Lookglass'
  else if Product = 'QUILLMAKER' then
    Key := 'Quillmaker'
  else
    Key := 'Lumo';
  if RegQueryStringValue(HKEY_CURRENT_USER, SETUPS + '\Options\' + Key, 'TARGETDIR', Folder) and
     (Folder <> '') then
    Result := Folder
  else
    Result := InstallProduct;
end;

procedure DeinitializeSetup;
begin
  if HostIni <> '' then DeleteFile(HostIni);
  if HostOptions <> '' then DeleteFile(HostOptions);
end;
