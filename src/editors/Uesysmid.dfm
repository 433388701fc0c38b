object FormSysMidi: TFormSysMidi
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Midi'
  ClientHeight = 284
  ClientWidth = 572
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 59
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object GroupClock: TGroupBox
    Left = 8
    Top = 8
    Width = 150
    Height = 60
    Caption = 'Clock Source'
    object Internal: TRadioButton
      Left = 10
      Top = 18
      Width = 130
      Height = 17
      Caption = 'Internal'
      OnClick = InternalClick
    end
    object Midi: TRadioButton
      Left = 10
      Top = 38
      Width = 130
      Height = 17
      Caption = 'Midi'
      OnClick = MidiClick
    end
  end
  object GroupVolume: TGroupBox
    Left = 8
    Top = 74
    Width = 150
    Height = 60
    Caption = 'Volume Control Source'
    object SourceVolume: TRadioButton
      Left = 10
      Top = 18
      Width = 130
      Height = 17
      Caption = 'Volume'
      OnClick = SourceVolumeClick
    end
    object SourceVolumeExp: TRadioButton
      Left = 10
      Top = 38
      Width = 130
      Height = 17
      Caption = 'Volume + Exp'
      OnClick = SourceVolumeExpClick
    end
  end
  object GroupRhythm: TGroupBox
    Left = 8
    Top = 140
    Width = 150
    Height = 60
    Caption = 'Rhythm Edit Source'
    object Panel: TRadioButton
      Left = 10
      Top = 18
      Width = 130
      Height = 17
      Caption = 'Panel'
      OnClick = PanelClick
    end
    object PanelMidi: TRadioButton
      Left = 10
      Top = 38
      Width = 130
      Height = 17
      Caption = 'Panel + Midi'
      OnClick = PanelMidiClick
    end
  end
  object LabelTap: TLabel
    Left = 168
    Top = 16
    Caption = 'Tap Source'
  end
  object TapSource: TComboBox
    Left = 306
    Top = 12
    Width = 102
    Height = 21
    Style = csDropDownList
    DropDownCount = 16
    ItemHeight = 13
    Tag = 13
    OnChange = TapSourceChange
    Items.Strings = (
      'Off '
      'Hold-1'
      'Sostenuto'
      'Soft'
      'Hold-2')
  end
  object LabelHold: TLabel
    Left = 168
    Top = 44
    Caption = 'Hold Source'
  end
  object HoldSource: TComboBox
    Left = 306
    Top = 40
    Width = 102
    Height = 21
    Style = csDropDownList
    DropDownCount = 16
    ItemHeight = 13
    Tag = 14
    OnChange = TapSourceChange
    Items.Strings = (
      'Off '
      'Hold-1'
      'Sostenuto'
      'Soft'
      'Hold-2')
  end
  object LabelPeak: TLabel
    Left = 168
    Top = 72
    Caption = 'Peak Source'
  end
  object PeakSource: TComboBox
    Left = 306
    Top = 68
    Width = 102
    Height = 21
    Style = csDropDownList
    DropDownCount = 16
    ItemHeight = 13
    Tag = 15
    OnChange = TapSourceChange
    Items.Strings = (
      'Off '
      'Hold-1'
      'Sostenuto'
      'Soft'
      'Hold-2')
  end
  object LabelAfter: TLabel
    Left = 168
    Top = 100
    Caption = 'Aftertouch Source'
  end
  object AfterTouchSource: TComboBox
    Left = 306
    Top = 96
    Width = 102
    Height = 21
    Style = csDropDownList
    DropDownCount = 16
    ItemHeight = 13
    Tag = 17
    OnChange = TapSourceChange
    Items.Strings = (
      'CH-After'
      'Poly-After'
      'CH+Poly')
  end
  object LabelSys1: TLabel
    Left = 168
    Top = 128
    Caption = 'Sys Ctrl Source 1'
  end
  object SysCtrlSource1: TMyEdit
    Left = 306
    Top = 124
    Width = 102
    Height = 21
    EditType = CC00CC95
    Min = 0
    Max = 97
    Code = 0
    Tag = 18
    OnEndChange = SysCtrlSource1EndChange
  end
  object LabelSys2: TLabel
    Left = 168
    Top = 156
    Caption = 'Sys Ctrl Source 2'
  end
  object SysCtrlSource2: TMyEdit
    Left = 306
    Top = 152
    Width = 102
    Height = 21
    EditType = CC00CC95
    Min = 0
    Max = 97
    Code = 0
    Tag = 19
    OnEndChange = SysCtrlSource1EndChange
  end
  object LabelCtrlCh: TLabel
    Left = 168
    Top = 184
    Caption = 'Control Channel'
  end
  object CtrlChannel: TMyEdit
    Left = 306
    Top = 180
    Width = 102
    Height = 21
    EditType = Int1M16Off
    Min = 0
    Max = 16
    Code = 0
    Tag = 28
    OnEndChange = CtrlChannelEndChange
  end
  object LabelRecCh: TLabel
    Left = 168
    Top = 212
    Caption = 'Patch Receive Channel'
  end
  object PatchRecchannel: TMyEdit
    Left = 306
    Top = 208
    Width = 102
    Height = 21
    EditType = MinMax
    Min = 1
    Max = 16
    Code = 1
    Tag = 29
    OnEndChange = PatchRecchannelEndChange
  end
  object GroupReceive: TGroupBox
    Left = 414
    Top = 8
    Width = 150
    Height = 216
    Caption = 'Receive'
    object RecPrgChange: TCheckBox
      Left = 10
      Top = 20
      Width = 134
      Height = 17
      Caption = 'Receive Prg Change'
      Tag = 20
      OnClick = RecPrgChangeClick
    end
    object RecBankSel: TCheckBox
      Left = 10
      Top = 44
      Width = 134
      Height = 17
      Caption = 'Receive Bank Sel'
      Tag = 21
      OnClick = RecPrgChangeClick
    end
    object RecCtrlChange: TCheckBox
      Left = 10
      Top = 68
      Width = 134
      Height = 17
      Caption = 'Receive Ctrl Change'
      Tag = 22
      OnClick = RecPrgChangeClick
    end
    object RecModulation: TCheckBox
      Left = 10
      Top = 92
      Width = 134
      Height = 17
      Caption = 'Receive Modulation'
      Tag = 23
      OnClick = RecPrgChangeClick
    end
    object RecVolume: TCheckBox
      Left = 10
      Top = 116
      Width = 134
      Height = 17
      Caption = 'Receive Volume'
      Tag = 24
      OnClick = RecPrgChangeClick
    end
    object RecHold1: TCheckBox
      Left = 10
      Top = 140
      Width = 134
      Height = 17
      Caption = 'Receive Hold-1'
      Tag = 25
      OnClick = RecPrgChangeClick
    end
    object RecBender: TCheckBox
      Left = 10
      Top = 164
      Width = 134
      Height = 17
      Caption = 'Receive Bender'
      Tag = 26
      OnClick = RecPrgChangeClick
    end
    object RecAftertouch: TCheckBox
      Left = 10
      Top = 188
      Width = 134
      Height = 17
      Caption = 'Receive Aftertouch'
      Tag = 27
      OnClick = RecPrgChangeClick
    end
  end
  object PanelBtn: TPanel
    Left = 8
    Top = 240
    Width = 556
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
      Left = 473
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
