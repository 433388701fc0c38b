object FormScaleTune: TFormScaleTune
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Scale Tune'
  ClientHeight = 310
  ClientWidth = 514
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 56
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object LabelSelected: TLabel
    Left = 8
    Top = 8
    Caption = 'Selected Part'
  end
  object SpeedButton1: TSpeedButton
    Left = 8
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '1'
    Tag = 1
    OnClick = SpeedButton1Click
  end
  object SpeedButton2: TSpeedButton
    Left = 34
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '2'
    Tag = 2
    OnClick = SpeedButton1Click
  end
  object SpeedButton3: TSpeedButton
    Left = 60
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '3'
    Tag = 3
    OnClick = SpeedButton1Click
  end
  object SpeedButton4: TSpeedButton
    Left = 86
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '4'
    Tag = 4
    OnClick = SpeedButton1Click
  end
  object SpeedButton5: TSpeedButton
    Left = 112
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '5'
    Tag = 5
    OnClick = SpeedButton1Click
  end
  object SpeedButton6: TSpeedButton
    Left = 138
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '6'
    Tag = 6
    OnClick = SpeedButton1Click
  end
  object SpeedButton7: TSpeedButton
    Left = 164
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '7'
    Tag = 7
    OnClick = SpeedButton1Click
  end
  object SpeedButton8: TSpeedButton
    Left = 190
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '8'
    Tag = 8
    OnClick = SpeedButton1Click
  end
  object SpeedButton9: TSpeedButton
    Left = 216
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '9'
    Tag = 9
    OnClick = SpeedButton1Click
  end
  object SpeedButton10: TSpeedButton
    Left = 242
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '10'
    Tag = 10
    OnClick = SpeedButton1Click
  end
  object SpeedButton11: TSpeedButton
    Left = 268
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '11'
    Tag = 11
    OnClick = SpeedButton1Click
  end
  object SpeedButton12: TSpeedButton
    Left = 294
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '12'
    Tag = 12
    OnClick = SpeedButton1Click
  end
  object SpeedButton13: TSpeedButton
    Left = 320
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '13'
    Tag = 13
    OnClick = SpeedButton1Click
  end
  object SpeedButton14: TSpeedButton
    Left = 346
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '14'
    Tag = 14
    OnClick = SpeedButton1Click
  end
  object SpeedButton15: TSpeedButton
    Left = 372
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '15'
    Tag = 15
    OnClick = SpeedButton1Click
  end
  object SpeedButton16: TSpeedButton
    Left = 398
    Top = 24
    Width = 24
    Height = 24
    GroupIndex = 1
    Caption = '16'
    Tag = 16
    OnClick = SpeedButton1Click
  end
  object SpeedButton17: TSpeedButton
    Left = 424
    Top = 24
    Width = 72
    Height = 24
    GroupIndex = 1
    Caption = 'Patch Mode'
    Tag = 17
    OnClick = SpeedButton1Click
  end
  object LabelTune1: TLabel
    Left = 8
    Top = 64
    Caption = 'Tune For C'
  end
  object Tune1: TMyEdit
    Left = 98
    Top = 60
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 1
    OnEndChange = Tune1EndChange
  end
  object LabelTune2: TLabel
    Left = 8
    Top = 92
    Caption = 'Tune For C#'
  end
  object Tune2: TMyEdit
    Left = 98
    Top = 88
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 2
    OnEndChange = Tune1EndChange
  end
  object LabelTune3: TLabel
    Left = 8
    Top = 120
    Caption = 'Tune For D'
  end
  object Tune3: TMyEdit
    Left = 98
    Top = 116
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 3
    OnEndChange = Tune1EndChange
  end
  object LabelTune4: TLabel
    Left = 8
    Top = 148
    Caption = 'Tune For D#'
  end
  object Tune4: TMyEdit
    Left = 98
    Top = 144
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 4
    OnEndChange = Tune1EndChange
  end
  object LabelTune5: TLabel
    Left = 8
    Top = 176
    Caption = 'Tune For E'
  end
  object Tune5: TMyEdit
    Left = 98
    Top = 172
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 5
    OnEndChange = Tune1EndChange
  end
  object LabelTune6: TLabel
    Left = 8
    Top = 204
    Caption = 'Tune For F'
  end
  object Tune6: TMyEdit
    Left = 98
    Top = 200
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 6
    OnEndChange = Tune1EndChange
  end
  object LabelTune7: TLabel
    Left = 258
    Top = 64
    Caption = 'Tune For F#'
  end
  object Tune7: TMyEdit
    Left = 348
    Top = 60
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 7
    OnEndChange = Tune1EndChange
  end
  object LabelTune8: TLabel
    Left = 258
    Top = 92
    Caption = 'Tune For G'
  end
  object Tune8: TMyEdit
    Left = 348
    Top = 88
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 8
    OnEndChange = Tune1EndChange
  end
  object LabelTune9: TLabel
    Left = 258
    Top = 120
    Caption = 'Tune For G#'
  end
  object Tune9: TMyEdit
    Left = 348
    Top = 116
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 9
    OnEndChange = Tune1EndChange
  end
  object LabelTune10: TLabel
    Left = 258
    Top = 148
    Caption = 'Tune For A'
  end
  object Tune10: TMyEdit
    Left = 348
    Top = 144
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 10
    OnEndChange = Tune1EndChange
  end
  object LabelTune11: TLabel
    Left = 258
    Top = 176
    Caption = 'Tune For A#'
  end
  object Tune11: TMyEdit
    Left = 348
    Top = 172
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 11
    OnEndChange = Tune1EndChange
  end
  object LabelTune12: TLabel
    Left = 258
    Top = 204
    Caption = 'Tune For B'
  end
  object Tune12: TMyEdit
    Left = 348
    Top = 200
    Width = 100
    Height = 21
    EditType = MinMaxS
    Min = -64
    Max = 63
    Code = 0
    Tag = 12
    OnEndChange = Tune1EndChange
  end
  object CopyBtn: TButton
    Left = 8
    Top = 232
    Width = 75
    Height = 25
    Caption = 'Copy'
    OnClick = CopyBtnClick
  end
  object PasteBtn: TButton
    Left = 90
    Top = 232
    Width = 75
    Height = 25
    Caption = 'Paste'
    OnClick = PasteBtnClick
  end
  object PanelBtn: TPanel
    Left = 8
    Top = 266
    Width = 498
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
    object BtnReverAll: TButton
      Left = 172
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Revert All'
      OnClick = BtnReverAllClick
    end
    object Btnclose: TButton
      Left = 415
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      OnClick = BtncloseClick
    end
  end
end
