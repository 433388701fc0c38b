object FormMorph: TFormMorph
  Left = 220
  Top = 140
  BorderStyle = bsDialog
  Caption = 'Patch Morphing'
  ClientHeight = 400
  ClientWidth = 470
  HelpContext = 39
  Position = poScreenCenter
  OnClose = FormClose
  OnShow = FormShow
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 100
    Height = 130
    Caption = 'Morph On'
    TabOrder = 0
    object Common: TCheckBox
      Left = 10
      Top = 20
      Width = 84
      Height = 17
      Caption = ' Common'
      Checked = True
      State = cbChecked
      TabOrder = 0
      OnClick = BoxClick
    end
    object Tone1: TCheckBox
      Left = 10
      Top = 41
      Width = 84
      Height = 17
      Caption = ' Tone 1'
      Checked = True
      State = cbChecked
      TabOrder = 1
      OnClick = BoxClick
    end
    object Tone2: TCheckBox
      Left = 10
      Top = 62
      Width = 84
      Height = 17
      Caption = ' Tone 2'
      Checked = True
      State = cbChecked
      TabOrder = 2
      OnClick = BoxClick
    end
    object Tone3: TCheckBox
      Left = 10
      Top = 83
      Width = 84
      Height = 17
      Caption = ' Tone 3'
      Checked = True
      State = cbChecked
      TabOrder = 3
      OnClick = BoxClick
    end
    object Tone4: TCheckBox
      Left = 10
      Top = 104
      Width = 84
      Height = 17
      Caption = ' Tone 4'
      Checked = True
      State = cbChecked
      TabOrder = 4
      OnClick = BoxClick
    end
  end
  object GroupBox2: TGroupBox
    Left = 116
    Top = 8
    Width = 346
    Height = 230
    Caption = 'Include Parameter'
    TabOrder = 1
    object EfxParam: TCheckBox
      Left = 10
      Top = 18
      Width = 160
      Height = 17
      Caption = ' EFX Parameter'
      Checked = True
      State = cbChecked
      TabOrder = 0
      OnClick = BoxClick
    end
    object EfxOutput: TCheckBox
      Left = 10
      Top = 39
      Width = 160
      Height = 17
      Caption = ' EFX Output Assign'
      Checked = True
      State = cbChecked
      TabOrder = 1
      OnClick = BoxClick
    end
    object ChorusOutput: TCheckBox
      Left = 10
      Top = 60
      Width = 160
      Height = 17
      Caption = ' Chorus Ouput Assign'
      Checked = True
      State = cbChecked
      TabOrder = 2
      OnClick = BoxClick
    end
    object ReverbType: TCheckBox
      Left = 10
      Top = 81
      Width = 160
      Height = 17
      Caption = ' Reverb Type'
      Checked = True
      State = cbChecked
      TabOrder = 3
      OnClick = BoxClick
    end
    object OnOff: TCheckBox
      Left = 10
      Top = 102
      Width = 160
      Height = 17
      Caption = ' On/Off '
      Checked = True
      State = cbChecked
      TabOrder = 4
      OnClick = BoxClick
    end
    object HoldPeak: TCheckBox
      Left = 10
      Top = 123
      Width = 160
      Height = 17
      Caption = ' Hold Peak'
      Checked = True
      State = cbChecked
      TabOrder = 5
      OnClick = BoxClick
    end
    object StretchTune: TCheckBox
      Left = 10
      Top = 144
      Width = 160
      Height = 17
      Caption = ' Stretch Tune Depth'
      Checked = True
      State = cbChecked
      TabOrder = 6
      OnClick = BoxClick
    end
    object StructureType: TCheckBox
      Left = 10
      Top = 165
      Width = 160
      Height = 17
      Caption = ' Structure Type'
      Checked = True
      State = cbChecked
      TabOrder = 7
      OnClick = BoxClick
    end
    object BoosterLevel: TCheckBox
      Left = 10
      Top = 186
      Width = 160
      Height = 17
      Caption = ' Booster Level'
      Checked = True
      State = cbChecked
      TabOrder = 8
      OnClick = BoxClick
    end
    object WaveNumber: TCheckBox
      Left = 10
      Top = 207
      Width = 160
      Height = 17
      Caption = ' Wave Number'
      Checked = True
      State = cbChecked
      TabOrder = 9
      OnClick = BoxClick
    end
    object ToneDelay: TCheckBox
      Left = 180
      Top = 18
      Width = 160
      Height = 17
      Caption = ' Tone Delay Mode'
      Checked = True
      State = cbChecked
      TabOrder = 10
      OnClick = BoxClick
    end
    object PanCtrl: TCheckBox
      Left = 180
      Top = 39
      Width = 160
      Height = 17
      Caption = ' Pan Ctrl Switch'
      Checked = True
      State = cbChecked
      TabOrder = 11
      OnClick = BoxClick
    end
    object LfoWaveform: TCheckBox
      Left = 180
      Top = 60
      Width = 160
      Height = 17
      Caption = ' LFO Waveform'
      Checked = True
      State = cbChecked
      TabOrder = 12
      OnClick = BoxClick
    end
    object LfoFade: TCheckBox
      Left = 180
      Top = 81
      Width = 160
      Height = 17
      Caption = ' LFO Fade Mode'
      Checked = True
      State = cbChecked
      TabOrder = 13
      OnClick = BoxClick
    end
    object LfoSync: TCheckBox
      Left = 180
      Top = 102
      Width = 160
      Height = 17
      Caption = ' LFO External sync'
      Checked = True
      State = cbChecked
      TabOrder = 14
      OnClick = BoxClick
    end
    object CoarseTune: TCheckBox
      Left = 180
      Top = 123
      Width = 160
      Height = 17
      Caption = ' Coarse Tune'
      TabOrder = 15
      OnClick = BoxClick
    end
    object FineTune: TCheckBox
      Left = 180
      Top = 144
      Width = 160
      Height = 17
      Caption = ' Fine Tune'
      TabOrder = 16
      OnClick = BoxClick
    end
    object TvfFilter: TCheckBox
      Left = 180
      Top = 165
      Width = 160
      Height = 17
      Caption = ' TVF Filter Type'
      Checked = True
      State = cbChecked
      TabOrder = 17
      OnClick = BoxClick
    end
    object TvaBias: TCheckBox
      Left = 180
      Top = 186
      Width = 160
      Height = 17
      Caption = ' TVA Bias Direction'
      Checked = True
      State = cbChecked
      TabOrder = 18
      OnClick = BoxClick
    end
    object OutputAssign: TCheckBox
      Left = 180
      Top = 207
      Width = 160
      Height = 17
      Caption = ' Output Assign'
      Checked = True
      State = cbChecked
      TabOrder = 19
      OnClick = BoxClick
    end
  end
  object GroupBox3: TGroupBox
    Left = 8
    Top = 244
    Width = 454
    Height = 76
    Caption = 'Morph Factor'
    TabOrder = 2
    object PatchEdit1: TEdit
      Left = 10
      Top = 20
      Width = 100
      Height = 21
      ReadOnly = True
      TabOrder = 0
    end
    object PatchEdit2: TEdit
      Left = 344
      Top = 20
      Width = 100
      Height = 21
      ReadOnly = True
      TabOrder = 1
    end
    object Slider: TPanSlider
      Left = 116
      Top = 14
      Width = 222
      Height = 56
      Max = 127
      Vertical = False
      SLeft = 6
      STop = 28
      SWidth = 210
      SHeight = 22
      ELeft = 86
      ETop = 4
      EWidth = 50
      EHeight = 18
      TabOrder = 2
      OnEndchange = SliderEndchange
    end
  end
  object GroupBox4: TGroupBox
    Left = 8
    Top = 144
    Width = 100
    Height = 46
    Caption = 'Note Length'
    TabOrder = 3
    object Notelength: TMyEdit
      Left = 10
      Top = 18
      Width = 80
      Height = 20
      Min = 1
      Max = 20000
      EditType = MinMax
      TabOrder = 0
      Onchange = LengthChange
    end
  end
  object GroupBox5: TGroupBox
    Left = 8
    Top = 192
    Width = 100
    Height = 46
    Caption = 'Step Length'
    TabOrder = 4
    object MorphStep: TMyEdit
      Left = 10
      Top = 18
      Width = 80
      Height = 20
      Min = 1
      Max = 10
      EditType = MinMax
      TabOrder = 0
      Onchange = LengthChange
    end
  end
  object Play: TButton
    Left = 8
    Top = 332
    Width = 80
    Height = 25
    Caption = 'Play'
    TabOrder = 5
    OnClick = PlayClick
  end
  object Stop: TButton
    Left = 96
    Top = 332
    Width = 80
    Height = 25
    Caption = 'Stop'
    TabOrder = 6
    OnClick = StopClick
  end
  object CreateBank: TButton
    Left = 196
    Top = 332
    Width = 120
    Height = 25
    Caption = 'Create Bank'
    TabOrder = 7
    OnClick = CreateBankClick
  end
  object Btnclose: TButton
    Left = 342
    Top = 332
    Width = 120
    Height = 25
    Caption = '&Close'
    TabOrder = 8
    OnClick = BtncloseClick
  end
  object Starter: TTimer
    Enabled = False
    Interval = 500
    OnTimer = StarterTimer
  end
  object Timer1: TTimer
    Enabled = False
    OnTimer = Timer1Timer
  end
end
