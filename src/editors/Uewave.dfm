object FormWave: TFormWave
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Wave'
  ClientHeight = 376
  ClientWidth = 290
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 66
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object CheckToneSwitch: TCheckBox
    Left = 8
    Top = 8
    Width = 110
    Height = 17
    Caption = ' Tone Switch'
    OnClick = CheckToneSwitchClick
  end
  object LabelWaveGroup: TLabel
    Left = 8
    Top = 36
    Caption = 'Wave Group'
  end
  object ComboWave: TComboBox
    Left = 8
    Top = 52
    Width = 120
    Height = 21
    Style = csDropDownList
    DropDownCount = 7
    ItemHeight = 13
    OnChange = ComboWaveChange
    Items.Strings = (
      'Internal A'
      'Internal B'
      'Expansion A'
      'Expansion B'
      'Expansion C'
      'Expansion D'
      'PCM')
  end
  object LabelWaveName: TLabel
    Left = 136
    Top = 36
    Caption = 'Wave'
  end
  object WaveName: TEdit
    Left = 136
    Top = 52
    Width = 110
    Height = 21
    ReadOnly = True
    TabOrder = 1
    OnChange = WaveNameChange
  end
  object Button1: TBitBtn
    Left = 250
    Top = 51
    Width = 24
    Height = 23
    Caption = 'B'
    OnClick = Button1Click
  end
  object GroupGain: TGroupBox
    Left = 8
    Top = 84
    Width = 200
    Height = 48
    Caption = 'Wave Gain'
    object SpeedGain1: TSpeedButton
      Left = 8
      Top = 18
      Width = 44
      Height = 22
      GroupIndex = 1
      Caption = ' -6 '
      Tag = 0
      OnClick = SpeedGain1Click
    end
    object SpeedGain2: TSpeedButton
      Left = 54
      Top = 18
      Width = 44
      Height = 22
      GroupIndex = 1
      Caption = '0'
      Tag = 1
      OnClick = SpeedGain1Click
    end
    object SpeedGain3: TSpeedButton
      Left = 100
      Top = 18
      Width = 44
      Height = 22
      GroupIndex = 1
      Caption = '+6'
      Tag = 2
      OnClick = SpeedGain1Click
    end
    object SpeedGain4: TSpeedButton
      Left = 146
      Top = 18
      Width = 44
      Height = 22
      GroupIndex = 1
      Caption = '+12'
      Tag = 3
      OnClick = SpeedGain1Click
    end
  end
  object GroupFXM: TGroupBox
    Left = 8
    Top = 140
    Width = 266
    Height = 100
    Caption = 'FXM'
    object CheckFXMSwitch: TCheckBox
      Left = 8
      Top = 18
      Width = 110
      Height = 17
      Caption = ' FXM Switch'
      OnClick = CheckFXMSwitchClick
    end
    object LabelColor: TLabel
      Left = 8
      Top = 46
      Caption = 'Color'
    end
    object SpeedColor1: TSpeedButton
      Left = 60
      Top = 42
      Width = 44
      Height = 22
      GroupIndex = 2
      Caption = '1'
      Tag = 0
      OnClick = SpeedColor1Click
    end
    object SpeedColor2: TSpeedButton
      Left = 106
      Top = 42
      Width = 44
      Height = 22
      GroupIndex = 2
      Caption = '2'
      Tag = 1
      OnClick = SpeedColor1Click
    end
    object SpeedColor3: TSpeedButton
      Left = 152
      Top = 42
      Width = 44
      Height = 22
      GroupIndex = 2
      Caption = '3'
      Tag = 2
      OnClick = SpeedColor1Click
    end
    object SpeedColor4: TSpeedButton
      Left = 198
      Top = 42
      Width = 44
      Height = 22
      GroupIndex = 2
      Caption = '4'
      Tag = 3
      OnClick = SpeedColor1Click
    end
    object LabelSpinFXMDepth: TLabel
      Left = 8
      Top = 74
      Caption = 'Depth'
    end
    object SpinFXMDepth: TMyEdit
      Left = 60
      Top = 70
      Width = 80
      Height = 21
      EditType = MinMax
      Min = 1
      Max = 16
      Code = 1
      OnEndChange = SpinFXMDepthEndChange
    end
  end
  object GroupDelay: TGroupBox
    Left = 8
    Top = 248
    Width = 266
    Height = 76
    Caption = 'Tone Delay'
    object LabelDelayMode: TLabel
      Left = 8
      Top = 22
      Caption = 'Mode'
    end
    object ToneDelayMode: TComboBox
      Left = 60
      Top = 18
      Width = 140
      Height = 21
      Style = csDropDownList
      DropDownCount = 7
      ItemHeight = 13
      OnChange = ToneDelayModeChange
      Items.Strings = (
        'Normal'
        'Hold'
        'Key-Interval'
        'Clock-Sync'
        'Tap-Sync'
        'Key-Off-Normal'
        'Key-Off-Decay')
    end
    object LabelTonedlyTime: TLabel
      Left = 8
      Top = 50
      Caption = 'Time'
    end
    object TonedlyTime: TMyEdit
      Left = 60
      Top = 46
      Width = 80
      Height = 21
      EditType = Int0M880
      OnEndChange = TonedlyTimeEndChange
    end
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 336
    Width = 282
    Height = 36
    TabOrder = 99
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
      Left = 199
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
