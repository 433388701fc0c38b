object FormTVA: TFormTVA
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'TVA'
  ClientHeight = 446
  ClientWidth = 668
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 64
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object GroupLevel: TGroupBox
    Left = 8
    Top = 8
    Width = 64
    Height = 190
    Caption = 'Level'
    object Level: TPanSlider
      Left = 10
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
      OnEndchange = LevelEndchange
    end
  end
  object GroupBias: TGroupBox
    Left = 76
    Top = 8
    Width = 200
    Height = 184
    Caption = 'Bias'
    object Image1: TImage
      Left = 8
      Top = 18
      Width = 150
      Height = 84
    end
    object Precedente: TBitBtn
      Left = 164
      Top = 18
      Width = 26
      Height = 40
      Caption = '<'
      OnClick = PrecedenteClick
    end
    object Successivo: TBitBtn
      Left = 164
      Top = 62
      Width = 26
      Height = 40
      Caption = '>'
      OnClick = SuccessivoClick
    end
    object LabelDirCaption: TLabel
      Left = 8
      Top = 108
      Caption = 'Bias Direction'
    end
    object LabelDir: TLabel
      Left = 100
      Top = 108
      Width = 90
      AutoSize = False
      Caption = 'Lower'
    end
    object LabelBiasPoint: TLabel
      Left = 8
      Top = 132
      Caption = 'Bias Point'
    end
    object BiasPoint: TMyEdit
      Left = 92
      Top = 128
      Width = 80
      Height = 21
      EditType = Note
      OnEndChange = BiasPointEndChange
    end
    object LabelBiasLevel: TLabel
      Left = 8
      Top = 158
      Caption = 'Bias Level'
    end
    object BiasLevel: TMyEdit
      Left = 92
      Top = 154
      Width = 80
      Height = 21
      EditType = IntM100P100
      OnEndChange = BiasLevelEndChange
    end
  end
  object LabelEnvVelCurve: TLabel
    Left = 284
    Top = 16
    Caption = 'En Vel Curve'
  end
  object EnvVelCurve: TMyEdit
    Left = 404
    Top = 12
    Width = 80
    Height = 21
    EditType = MinMax
    Min = 1
    Max = 7
    Code = 1
    OnEndChange = EnvVelCurveEndChange
  end
  object LabelVelocitySens: TLabel
    Left = 284
    Top = 46
    Caption = 'Vel Sens'
  end
  object VelocitySens: TMyEdit
    Left = 404
    Top = 42
    Width = 80
    Height = 21
    EditType = MinMaxS
    Min = -100
    Max = 150
    Step = 2
    Code = -100
    OnEndChange = VelocitySensEndChange
  end
  object LabelVelTime1S: TLabel
    Left = 284
    Top = 76
    Caption = 'Velocity Time 1 Sens'
  end
  object VelTime1S: TMyEdit
    Left = 404
    Top = 72
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = VelTime1SEndChange
  end
  object LabelVelTime4S: TLabel
    Left = 284
    Top = 106
    Caption = 'Velocity Time 4 Sens'
  end
  object VelTime4S: TMyEdit
    Left = 404
    Top = 102
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = VelTime4SEndChange
  end
  object LabelTimeKeyfollow: TLabel
    Left = 284
    Top = 136
    Caption = 'Time Keyfollow'
  end
  object TimeKeyfollow: TMyEdit
    Left = 404
    Top = 132
    Width = 80
    Height = 21
    EditType = IntM100P100
    OnEndChange = TimeKeyfollowEndChange
  end
  object Graph: TPanGraph
    Left = 492
    Top = 8
    Width = 160
    Height = 140
    BevelOuter = bvLowered
    GraphType = LastLocked
    OnEndchange = GraphEndchange
  end
  object GroupPan: TGroupBox
    Left = 8
    Top = 206
    Width = 184
    Height = 80
    Caption = 'Pan'
    object ClickPan: TClickEdit
      Left = 8
      Top = 20
      Width = 74
      Height = 18
      Min = -64
      Max = 63
      Stereo = True
      OnEndchange = ClickPanEndchange
    end
    object LabelPanKeyfollow: TLabel
      Left = 8
      Top = 52
      Caption = 'Pan Keyfollow'
    end
    object PanKeyfollow: TMyEdit
      Left = 92
      Top = 48
      Width = 80
      Height = 21
      EditType = IntM100P100
      OnEndChange = PanKeyfollowEndChange
    end
  end
  object GroupRndPanDepth: TGroupBox
    Left = 200
    Top = 206
    Width = 124
    Height = 190
    Caption = 'Random Pan Depth'
    object RndPanDepth: TPanSlider
      Left = 40
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = 0
      Max = 63
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = RndPanDepthEndchange
    end
  end
  object GroupAltPanDepth: TGroupBox
    Left = 328
    Top = 206
    Width = 145
    Height = 190
    Caption = 'Alternate Pan Depth'
    object AltPanDepth: TPanSlider
      Left = 50
      Top = 16
      Width = 44
      Height = 168
      BevelOuter = bvNone
      Min = -63
      Max = 63
      Stereo = True
      SLeft = 12
      STop = 26
      SWidth = 20
      SHeight = 136
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = AltPanDepthEndchange
    end
  end
  object Panelbtn: TPanel
    Left = 4
    Top = 406
    Width = 660
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
      Left = 577
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
