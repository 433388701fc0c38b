object FormTVF: TFormTVF
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'TVF'
  ClientHeight = 320
  ClientWidth = 701
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 65
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object GroupFilter: TGroupBox
    Left = 8
    Top = 8
    Width = 140
    Height = 112
    Caption = 'Filter Type'
    object Image1: TImage
      Left = 8
      Top = 18
      Width = 60
      Height = 44
    end
    object Precedente: TBitBtn
      Left = 76
      Top = 18
      Width = 26
      Height = 44
      Caption = '<'
      OnClick = PrecedenteClick
    end
    object Successivo: TBitBtn
      Left = 104
      Top = 18
      Width = 26
      Height = 44
      Caption = '>'
      OnClick = SuccessivoClick
    end
    object Labelfilter: TLabel
      Left = 8
      Top = 70
      Width = 60
      AutoSize = False
      Alignment = taCenter
      Caption = 'No Filter'
    end
  end
  object Graph: TPanGraph
    Left = 8
    Top = 128
    Width = 160
    Height = 140
    BevelOuter = bvLowered
    GraphType = Normal
    OnEndchange = GraphEndchange
  end
  object Groupcutofffrequency: TGroupBox
    Left = 176
    Top = 8
    Width = 124
    Height = 190
    Caption = 'Cutoff Frequency'
    object cutofffrequency: TPanSlider
      Left = 40
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = cutofffrequencyEndchange
    end
  end
  object GroupResonance: TGroupBox
    Left = 304
    Top = 8
    Width = 75
    Height = 190
    Caption = 'Resonance'
    object Resonance: TPanSlider
      Left = 15
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = ResonanceEndchange
    end
  end
  object GroupEnvDepth: TGroupBox
    Left = 383
    Top = 8
    Width = 110
    Height = 190
    Caption = 'Envelope Depth'
    object EnvDepth: TPanSlider
      Left = 33
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = EnvDepthEndchange
    end
  end
  object LabelCutoffKeyfollow: TLabel
    Left = 501
    Top = 14
    Caption = 'Cutoff Keyfoll'
  end
  object CutoffKeyfollow: TMyEdit
    Left = 605
    Top = 10
    Width = 80
    Height = 21
    EditType = IntM100P200
    OnEndChange = CutoffKeyfollowEndChange
  end
  object LabelVelocityCurve: TLabel
    Left = 501
    Top = 40
    Caption = 'Vel Curve'
  end
  object VelocityCurve: TMyEdit
    Left = 605
    Top = 36
    Width = 80
    Height = 21
    EditType = MinMax
    Min = 1
    Max = 7
    Code = 1
    OnEndChange = VelocityCurveEndChange
  end
  object LabelVelocitySens: TLabel
    Left = 501
    Top = 66
    Caption = 'Vel Sens'
  end
  object VelocitySens: TMyEdit
    Left = 605
    Top = 62
    Width = 80
    Height = 21
    EditType = MinMaxS
    Min = -100
    Max = 150
    Step = 2
    Code = -100
    OnEndChange = VelocitySensEndChange
  end
  object LabelVelocityRes: TLabel
    Left = 501
    Top = 92
    Caption = 'Vel Res'
  end
  object VelocityRes: TMyEdit
    Left = 605
    Top = 88
    Width = 80
    Height = 21
    EditType = MinMaxS
    Min = -100
    Max = 150
    Step = 2
    Code = -100
    OnEndChange = VelocityResEndChange
  end
  object LabelVelTime1S: TLabel
    Left = 501
    Top = 118
    Caption = 'Vel Time 1 Sens'
  end
  object VelTime1S: TMyEdit
    Left = 605
    Top = 114
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = VelTime1SEndChange
  end
  object LabelVelTime4S: TLabel
    Left = 501
    Top = 144
    Caption = 'Vel Time 4 Sens'
  end
  object VelTime4S: TMyEdit
    Left = 605
    Top = 140
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = VelTime4SEndChange
  end
  object LabelTimeKeyfollow: TLabel
    Left = 501
    Top = 170
    Caption = 'Time Keyfollow'
  end
  object TimeKeyfollow: TMyEdit
    Left = 605
    Top = 166
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = TimeKeyfollowEndChange
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 280
    Width = 693
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
      Left = 610
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
