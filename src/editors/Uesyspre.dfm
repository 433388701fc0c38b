object FormSysPreview: TFormSysPreview
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Preview'
  ClientHeight = 368
  ClientWidth = 592
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 60
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object GroupMode: TGroupBox
    Left = 8
    Top = 8
    Width = 200
    Height = 60
    Caption = 'Preview Sound Mode'
    object ModeSingle: TRadioButton
      Left = 10
      Top = 18
      Width = 100
      Height = 17
      Caption = 'Single'
      OnClick = ModeSingleClick
    end
    object ModeChord: TRadioButton
      Left = 10
      Top = 38
      Width = 100
      Height = 17
      Caption = 'Chord'
      OnClick = ModeChordClick
    end
  end
  object LabelKey1: TLabel
    Left = 8
    Top = 80
    Caption = 'Preview Key Set 1'
  end
  object KeySet1: TMyEdit
    Left = 8
    Top = 96
    Width = 100
    Height = 21
    EditType = Note
    Min = 0
    Max = 127
    Code = 60
    Tag = 1
    OnEndChange = KeySet1EndChange
  end
  object LabelVel1: TLabel
    Left = 8
    Top = 128
    Caption = 'Preview Velocity Set 1'
  end
  object VelSet1: TPanSlider
    Left = 36
    Top = 146
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
    Tag = 1
    OnEndchange = VelSet1Endchange
  end
  object LabelKey2: TLabel
    Left = 154
    Top = 80
    Caption = 'Preview Key Set 2'
  end
  object KeySet2: TMyEdit
    Left = 154
    Top = 96
    Width = 100
    Height = 21
    EditType = Note
    Min = 0
    Max = 127
    Code = 60
    Tag = 2
    OnEndChange = KeySet1EndChange
  end
  object LabelVel2: TLabel
    Left = 154
    Top = 128
    Caption = 'Preview Velocity Set 2'
  end
  object VelSet2: TPanSlider
    Left = 182
    Top = 146
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
    Tag = 2
    OnEndchange = VelSet1Endchange
  end
  object LabelKey3: TLabel
    Left = 300
    Top = 80
    Caption = 'Preview Key Set 3'
  end
  object KeySet3: TMyEdit
    Left = 300
    Top = 96
    Width = 100
    Height = 21
    EditType = Note
    Min = 0
    Max = 127
    Code = 60
    Tag = 3
    OnEndChange = KeySet1EndChange
  end
  object LabelVel3: TLabel
    Left = 300
    Top = 128
    Caption = 'Preview Velocity Set 3'
  end
  object VelSet3: TPanSlider
    Left = 328
    Top = 146
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
    Tag = 3
    OnEndchange = VelSet1Endchange
  end
  object LabelKey4: TLabel
    Left = 446
    Top = 80
    Caption = 'Preview Key Set 4'
  end
  object KeySet4: TMyEdit
    Left = 446
    Top = 96
    Width = 100
    Height = 21
    EditType = Note
    Min = 0
    Max = 127
    Code = 60
    Tag = 4
    OnEndChange = KeySet1EndChange
  end
  object LabelVel4: TLabel
    Left = 446
    Top = 128
    Caption = 'Preview Velocity Set 4'
  end
  object VelSet4: TPanSlider
    Left = 474
    Top = 146
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
    Tag = 4
    OnEndchange = VelSet1Endchange
  end
  object PanelBtn: TPanel
    Left = 8
    Top = 324
    Width = 576
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
      Left = 493
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
