object FormSysSetup: TFormSysSetup
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Setup'
  ClientHeight = 295
  ClientWidth = 464
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 61
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object Tabbed: TTabbedNotebook
    Left = 8
    Top = 8
    Width = 300
    Height = 200
    PageIndex = 0
    TabOrder = 0
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Pedals'
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Controllers'
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Keyboard'
    end
    object TTabPage
      Left = 4
      Top = 24
      Caption = 'Bank Select'
    end
  end
  object GroupMode: TGroupBox
    Left = 8
    Top = 8
    Width = 140
    Height = 84
    Caption = 'Panel Mode'
    object Performance: TRadioButton
      Left = 10
      Top = 18
      Width = 120
      Height = 17
      Caption = ' Performance'
      OnClick = PerformanceClick
    end
    object Patch: TRadioButton
      Left = 10
      Top = 40
      Width = 120
      Height = 17
      Caption = ' Patch'
      OnClick = PerformanceClick
    end
    object GM: TRadioButton
      Left = 10
      Top = 62
      Width = 120
      Height = 17
      Caption = ' GM'
      OnClick = PerformanceClick
    end
  end
  object GroupPerf: TGroupBox
    Left = 156
    Top = 8
    Width = 300
    Height = 84
    Caption = 'Performance'
    object LabelPerfGroup: TLabel
      Left = 10
      Top = 18
      Caption = 'Group'
    end
    object PerfGroup: TComboBox
      Left = 10
      Top = 34
      Width = 100
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      ItemHeight = 13
      OnChange = PerfGroupChange
      Items.Strings = (
        'User'
        'Card'
        'Preset A'
        'Preset B')
    end
    object LabelPerfName: TLabel
      Left = 118
      Top = 18
      Caption = 'Name'
    end
    object PerfName: TEdit
      Left = 118
      Top = 34
      Width = 140
      Height = 21
      ReadOnly = True
      OnChange = PerfNameChange
    end
    object ButPerf: TButton
      Left = 262
      Top = 33
      Width = 28
      Height = 23
      Caption = 'B'
      OnClick = ButPerfClick
    end
  end
  object GroupPatch: TGroupBox
    Left = 156
    Top = 100
    Width = 300
    Height = 84
    Caption = 'Patch'
    object LabelPatchGroup: TLabel
      Left = 10
      Top = 18
      Caption = 'Group'
    end
    object PatchGroup: TComboBox
      Left = 10
      Top = 34
      Width = 100
      Height = 21
      Style = csDropDownList
      DropDownCount = 16
      ItemHeight = 13
      OnChange = PatchGroupChange
      Items.Strings = (
        'User'
        'Card'
        'Preset A'
        'Preset B'
        'Preset C'
        'GM'
        'Expansion A'
        'Expansion B'
        'Expansion C'
        'Expansion D'
        'PCM')
    end
    object LabelPatchName: TLabel
      Left = 118
      Top = 18
      Caption = 'Name'
    end
    object PatchName: TEdit
      Left = 118
      Top = 34
      Width = 140
      Height = 21
      ReadOnly = True
      OnChange = PatchNameChange
    end
    object ButPatch: TButton
      Left = 262
      Top = 33
      Width = 28
      Height = 23
      Caption = 'B'
      OnClick = ButPatchClick
    end
  end
  object GroupTune: TGroupBox
    Left = 8
    Top = 100
    Width = 140
    Height = 84
    Caption = 'Master Tune'
    object MasterTune: TMyEdit
      Left = 10
      Top = 30
      Width = 120
      Height = 21
      EditType = Int427M452
      Min = 0
      Max = 126
      Code = 63
      OnEndChange = MasterTuneEndChange
    end
  end
  object ScaleTuneSwitch: TCheckBox
    Left = 16
    Top = 194
    Width = 150
    Height = 17
    Caption = 'Scale Tune Switch'
    Tag = 7
    OnClick = ScaleTuneSwitchClick
  end
  object EfxSwitch: TCheckBox
    Left = 16
    Top = 212
    Width = 150
    Height = 17
    Caption = 'Efx Switch'
    Tag = 8
    OnClick = ScaleTuneSwitchClick
  end
  object ChorusSwitch: TCheckBox
    Left = 16
    Top = 230
    Width = 150
    Height = 17
    Caption = 'Chorus Switch'
    Tag = 9
    OnClick = ScaleTuneSwitchClick
  end
  object ReverbSwitch: TCheckBox
    Left = 176
    Top = 194
    Width = 150
    Height = 17
    Caption = 'Reverb Switch'
    Tag = 10
    OnClick = ScaleTuneSwitchClick
  end
  object PatchRemain: TCheckBox
    Left = 176
    Top = 212
    Width = 150
    Height = 17
    Caption = 'Patch Remain'
    Tag = 11
    OnClick = ScaleTuneSwitchClick
  end
  object PanelBtn: TPanel
    Left = 8
    Top = 251
    Width = 448
    Height = 36
    object BtnUndo: TButton
      Left = 8
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Undo'
      OnClick = BtnUndoClick
    end
    object BtnRevert: TButton
      Left = 90
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Revert'
      OnClick = BtnRevertClick
    end
    object Btnclose: TButton
      Left = 365
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
