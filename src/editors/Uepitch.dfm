object FormPitch: TFormPitch
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Pitch'
  ClientHeight = 250
  ClientWidth = 666
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 43
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object GroupCoarseTune: TGroupBox
    Left = 8
    Top = 8
    Width = 89
    Height = 190
    Caption = 'Coarse Tune'
    object CoarseTune: TPanSlider
      Left = 22
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -48
      Max = 48
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = CoarseTuneEndchange
    end
  end
  object GroupFineTune: TGroupBox
    Left = 101
    Top = 8
    Width = 75
    Height = 190
    Caption = 'Fine Tune'
    object FineTune: TPanSlider
      Left = 15
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -50
      Max = 50
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = FineTuneEndchange
    end
  end
  object GroupPitchenvDepth: TGroupBox
    Left = 180
    Top = 8
    Width = 110
    Height = 190
    Caption = 'Envelope Depth'
    object PitchenvDepth: TPanSlider
      Left = 33
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -12
      Max = 12
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = PitchenvDepthEndchange
    end
  end
  object LabelRndPitchDepth: TLabel
    Left = 298
    Top = 16
    Caption = 'Rand Depth'
  end
  object RndPitchDepth: TMyEdit
    Left = 402
    Top = 12
    Width = 80
    Height = 21
    EditType = IntM0P1200
    OnEndChange = RndPitchDepthEndChange
  end
  object LabelPitchKeyfollow: TLabel
    Left = 298
    Top = 46
    Caption = 'Keyfollow'
  end
  object PitchKeyfollow: TMyEdit
    Left = 402
    Top = 42
    Width = 80
    Height = 21
    EditType = IntM100P200
    OnEndChange = PitchKeyfollowEndChange
  end
  object LabelPitchEnvVelSens: TLabel
    Left = 298
    Top = 76
    Caption = 'Env Vel Sen'
  end
  object PitchEnvVelSens: TMyEdit
    Left = 402
    Top = 72
    Width = 80
    Height = 21
    EditType = MinMaxS
    Min = -100
    Max = 150
    Step = 2
    Code = -100
    OnEndChange = PitchEnvVelSensEndChange
  end
  object LabelVeltime1sens: TLabel
    Left = 298
    Top = 106
    Caption = 'Vel Time 1 Sens'
  end
  object Veltime1sens: TMyEdit
    Left = 402
    Top = 102
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = Veltime1sensEndChange
  end
  object Labelveltime4sens: TLabel
    Left = 298
    Top = 136
    Caption = 'Vel Time 4 Sens'
  end
  object veltime4sens: TMyEdit
    Left = 402
    Top = 132
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = veltime4sensEndChange
  end
  object Labeltimekeyfollow: TLabel
    Left = 298
    Top = 166
    Caption = 'Time Keyfollow'
  end
  object timekeyfollow: TMyEdit
    Left = 402
    Top = 162
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = timekeyfollowEndChange
  end
  object Graph: TPanGraph
    Left = 490
    Top = 8
    Width = 160
    Height = 140
    BevelOuter = bvLowered
    GraphType = FirstHalf
    OnEndchange = GraphEndchange
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 210
    Width = 658
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
      Left = 575
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
