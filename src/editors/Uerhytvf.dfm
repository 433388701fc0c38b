object FormRhyTVF: TFormRhyTVF
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'TVF'
  ClientHeight = 412
  ClientWidth = 470
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 52
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
      OnChange = KeySelectorChange
      OnEndchange = KeySelectorEndchange
    end
    object Key: TLabel
      Left = 400
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
    object Image1: TImage
      Left = 8
      Top = 8
      Width = 90
      Height = 50
    end
    object Precedente: TBitBtn
      Left = 8
      Top = 62
      Width = 40
      Height = 25
      Caption = '<'
      OnClick = PrecedenteClick
    end
    object Successivo: TBitBtn
      Left = 58
      Top = 62
      Width = 40
      Height = 25
      Caption = '>'
      OnClick = SuccessivoClick
    end
    object Labelfilter: TLabel
      Left = 8
      Top = 92
      Width = 90
      Height = 13
      AutoSize = False
      Alignment = taCenter
      Caption = 'No Filter'
    end
    object LabelResVel: TLabel
      Left = 8
      Top = 112
      Width = 80
      Height = 13
      Caption = 'Vel Res'
    end
    object ResVelSens: TMyEdit
      Left = 8
      Top = 128
      Width = 74
      Height = 21
      Tag = 29
      EditType = MinMaxS
      Min = -100
      Max = 150
      Step = 2
      Code = -100
      OnEndChange = ResVelSensEndChange
    end
    object LabelEnvDepth: TLabel
      Left = 8
      Top = 156
      Width = 80
      Height = 13
      Caption = 'Envelope Depth'
    end
    object EnvDepth: TMyEdit
      Left = 8
      Top = 172
      Width = 74
      Height = 21
      Tag = 30
      EditType = MinMaxS
      Min = -63
      Max = 63
      Code = -63
      OnEndChange = EnvDepthEndChange
    end
    object LabelVelSens: TLabel
      Left = 8
      Top = 200
      Width = 80
      Height = 13
      Caption = 'Vel Sens'
    end
    object VelocitySens: TMyEdit
      Left = 8
      Top = 216
      Width = 74
      Height = 21
      Tag = 31
      EditType = MinMaxS
      Min = -100
      Max = 150
      Step = 2
      Code = -100
      OnEndChange = VelocitySensEndChange
    end
    object LabelVelTime: TLabel
      Left = 8
      Top = 244
      Width = 80
      Height = 13
      Caption = 'Vel Time Sens'
    end
    object VelTimeS: TMyEdit
      Left = 8
      Top = 260
      Width = 74
      Height = 21
      Tag = 32
      EditType = IntM100P100
      Min = 0
      Max = 14
      Code = 0
      OnEndChange = VelTimeSEndChange
    end
    object LabelCutoff: TLabel
      Left = 104
      Top = 8
      Width = 44
      Height = 13
      Caption = 'Cutoff'
    end
    object cutofffrequency: TPanSlider
      Left = 104
      Top = 24
      Width = 44
      Height = 180
      Tag = 27
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 150
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = cutofffrequencyEndchange
    end
    object LabelReso: TLabel
      Left = 152
      Top = 8
      Width = 50
      Height = 13
      Caption = 'Resonance'
    end
    object Resonance: TPanSlider
      Left = 152
      Top = 24
      Width = 44
      Height = 180
      Tag = 28
      BevelOuter = bvNone
      Min = 0
      Max = 127
      SLeft = 12
      STop = 24
      SWidth = 20
      SHeight = 150
      ELeft = 4
      ETop = 4
      EWidth = 36
      EHeight = 16
      OnEndchange = ResonanceEndchange
    end
    object Graph: TPanGraph
      Left = 204
      Top = 24
      Width = 250
      Height = 180
      GraphType = Normal
      OnEndchange = GraphEndchange
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
