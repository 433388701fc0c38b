object FormRhyMain: TFormRhyMain
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Main'
  ClientHeight = 412
  ClientWidth = 470
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 49
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object PanelKeys: TPanel
    Left = 4
    Top = 4
    Width = 462
    Height = 70
    object KeySelector: TKeySelector
      Left = 8
      Top = 8
      Width = 384
      Height = 56
      KeyWidth = 10
      OnEndchange = KeySelectorEndchange
    end
    object Key: TLabel
      Left = 408
      Top = 28
      Width = 50
      Height = 13
      Caption = 'C 2  '
    end
  end
  object PanelBody: TPanel
    Left = 4
    Top = 78
    Width = 462
    Height = 292
    object ToneSwitch: TCheckBox
      Left = 8
      Top = 8
      Width = 100
      Height = 17
      Tag = 0
      Caption = ' Tone Switch'
      OnClick = ToneSwitchClick
    end
    object LabelWave: TLabel
      Left = 8
      Top = 34
      Width = 80
      Height = 13
      Caption = 'Wave Group'
    end
    object ComboWave: TComboBox
      Left = 8
      Top = 50
      Width = 110
      Height = 21
      Style = csDropDownList
      DropDownCount = 7
      ItemHeight = 13
      OnChange = ComboWaveChange
    end
    object WaveName: TEdit
      Left = 124
      Top = 50
      Width = 110
      Height = 21
      ReadOnly = True
      OnChange = WaveNameChange
    end
    object Button1: TButton
      Left = 238
      Top = 49
      Width = 24
      Height = 25
      Caption = 'B'
      OnClick = Button1Click
    end
    object GroupGain: TGroupBox
      Left = 8
      Top = 80
      Width = 130
      Height = 46
      Caption = 'Wave Gain'
      object SpeedGain1: TSpeedButton
        Left = 6
        Top = 16
        Width = 28
        Height = 22
        GroupIndex = 1
        Tag = 0
        Caption = ' -6 '
        OnClick = SpeedGain1Click
      end
      object SpeedGain2: TSpeedButton
        Left = 36
        Top = 16
        Width = 28
        Height = 22
        GroupIndex = 1
        Tag = 1
        Caption = '0'
        OnClick = SpeedGain1Click
      end
      object SpeedGain3: TSpeedButton
        Left = 66
        Top = 16
        Width = 28
        Height = 22
        GroupIndex = 1
        Tag = 2
        Caption = '+6'
        OnClick = SpeedGain1Click
      end
      object SpeedGain4: TSpeedButton
        Left = 96
        Top = 16
        Width = 28
        Height = 22
        GroupIndex = 1
        Tag = 3
        Caption = '+12'
        OnClick = SpeedGain1Click
      end
    end
    object LabelBender: TLabel
      Left = 150
      Top = 84
      Width = 80
      Height = 13
      Caption = 'Bender Range'
    end
    object BenderRange: TMyEdit
      Left = 150
      Top = 100
      Width = 74
      Height = 21
      Tag = 6
      EditType = MinMax
      Min = 0
      Max = 12
      Code = 0
      OnEndChange = BenderRangeEndChange
    end
    object LabelMute: TLabel
      Left = 236
      Top = 84
      Width = 80
      Height = 13
      Caption = 'Mute Group'
    end
    object MuteGroup: TMyEdit
      Left = 236
      Top = 100
      Width = 74
      Height = 21
      Tag = 7
      EditType = MinMax
      Min = 0
      Max = 31
      Code = 0
      OnEndChange = MuteGroupEndChange
    end
    object GroupSustain: TGroupBox
      Left = 8
      Top = 134
      Width = 130
      Height = 62
      Caption = 'Envelope'
      object Nosustain: TRadioButton
        Left = 8
        Top = 16
        Width = 90
        Height = 17
        Tag = 0
        Caption = 'No Sustain'
        OnClick = NosustainClick
      end
      object Sustain: TRadioButton
        Left = 8
        Top = 38
        Width = 90
        Height = 17
        Tag = 1
        Caption = 'Sustain'
        OnClick = NosustainClick
      end
    end
    object VolumeCtrlSwitch: TCheckBox
      Left = 150
      Top = 136
      Width = 130
      Height = 17
      Tag = 9
      Caption = 'Volume Ctrl Switch'
      OnClick = SwitchClick
    end
    object Hold1Ctrlswitch: TCheckBox
      Left = 150
      Top = 160
      Width = 130
      Height = 17
      Tag = 10
      Caption = 'Hold-1 Ctrl Switch'
      OnClick = SwitchClick
    end
    object GroupPan: TGroupBox
      Left = 8
      Top = 202
      Width = 130
      Height = 82
      Caption = 'Pan Ctrl Switch'
      object PanOff: TRadioButton
        Left = 8
        Top = 16
        Width = 90
        Height = 17
        Tag = 0
        Caption = 'Off'
        OnClick = PanOffClick
      end
      object PanContinuos: TRadioButton
        Left = 8
        Top = 36
        Width = 90
        Height = 17
        Tag = 1
        Caption = 'Continuos'
        OnClick = PanOffClick
      end
      object PanKeyon: TRadioButton
        Left = 8
        Top = 56
        Width = 90
        Height = 17
        Tag = 2
        Caption = 'Key-On'
        OnClick = PanOffClick
      end
    end
    object LabelOutput: TLabel
      Left = 150
      Top = 206
      Width = 80
      Height = 13
      Caption = 'Output Assign'
    end
    object Outputassign: TComboBox
      Left = 150
      Top = 222
      Width = 90
      Height = 21
      Style = csDropDownList
      ItemHeight = 13
      OnChange = OutputassignChange
      Items.Strings = (
        'Mix'
        'EFX'
        'Output 1'
        'Output 2')
    end
    object LabelOutputlevel: TLabel
      Left = 320
      Top = 80
      Width = 44
      Height = 13
      Caption = 'Level'
    end
    object Outputlevel: TPanSlider
      Left = 316
      Top = 96
      Width = 44
      Height = 150
      Tag = 55
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 120
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = SliderEndchange
    end
    object LabelChorussendlevel: TLabel
      Left = 366
      Top = 80
      Width = 44
      Height = 13
      Caption = 'Chorus'
    end
    object Chorussendlevel: TPanSlider
      Left = 362
      Top = 96
      Width = 44
      Height = 150
      Tag = 56
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 120
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = SliderEndchange
    end
    object LabelReverbSendLevel: TLabel
      Left = 412
      Top = 80
      Width = 44
      Height = 13
      Caption = 'Reverb'
    end
    object ReverbSendLevel: TPanSlider
      Left = 408
      Top = 96
      Width = 44
      Height = 150
      Tag = 57
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 120
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = SliderEndchange
    end
  end
  object PanelBtn: TPanel
    Left = 4
    Top = 374
    Width = 462
    Height = 38
    object BtnUndo: TButton
      Left = 6
      Top = 6
      Width = 64
      Height = 25
      Caption = '&Undo'
      OnClick = BtnUndoClick
    end
    object BtnRevert: TButton
      Left = 74
      Top = 6
      Width = 64
      Height = 25
      Caption = '&Revert'
      OnClick = BtnRevertClick
    end
    object BtnReverAll: TButton
      Left = 142
      Top = 6
      Width = 72
      Height = 25
      Caption = '&Revert All'
      OnClick = BtnReverAllClick
    end
    object CopyBtn: TButton
      Left = 218
      Top = 6
      Width = 56
      Height = 25
      Caption = 'Copy'
      OnClick = CopyBtnClick
    end
    object PasteBtn: TButton
      Left = 278
      Top = 6
      Width = 56
      Height = 25
      Caption = 'Paste'
      OnClick = PasteBtnClick
    end
    object Btnclose: TButton
      Left = 384
      Top = 6
      Width = 70
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
