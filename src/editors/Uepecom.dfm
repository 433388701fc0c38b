object FormPerComm: TFormPerComm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu, biMinimize]
  BorderStyle = bsSingle
  Caption = 'Performance Common'
  ClientHeight = 420
  ClientWidth = 530
  Color = clBtnFace
  FormStyle = fsMDIChild
  HelpContext = 40
  OnActivate = FormActivate
  OnClose = FormClose
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  OnShow = FormShow
  object Panel1: TPanel
    Left = 4
    Top = 4
    Width = 522
    Height = 330
    TabOrder = 0
    object Panel8: TPanel
      Left = 6
      Top = 10
      Width = 510
      Height = 280
      TabOrder = 2
      object LabelName: TLabel
        Left = 8
        Top = 12
        Width = 112
        Height = 13
        Caption = 'Performance Name'
      end
      object EditName: TEdit
        Left = 120
        Top = 8
        Width = 96
        Height = 21
        MaxLength = 12
        TabOrder = 0
        OnKeyPress = EditNameKeyPress
        OnKeyUp = EditNameKeyUp
      end
      object LabelTempo: TLabel
        Left = 220
        Top = 12
        Width = 86
        Height = 13
        Caption = 'Default Tempo'
      end
      object DefaultTempo: TMyEdit
        Left = 310
        Top = 8
        Width = 60
        Height = 21
        EditType = MinMax
        Min = 20
        Max = 250
        Code = 120
        OnEndChange = DefaultTempoEndChange
      end
      object VelRangeSwitch: TCheckBox
        Left = 376
        Top = 10
        Width = 130
        Height = 17
        Caption = 'Vel Range Switch'
        TabOrder = 1
        OnClick = VelRangeSwitchClick
      end
      object LabelReserve: TLabel
        Left = 8
        Top = 40
        Width = 80
        Height = 13
        Caption = 'Voice Reserve'
      end
      object LabelPart1: TLabel
        Left = 8
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 1'
      end
      object Part1: TMyEdit
        Left = 8
        Top = 73
        Width = 56
        Height = 21
        Tag = 1
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart2: TLabel
        Left = 70
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 2'
      end
      object Part2: TMyEdit
        Left = 70
        Top = 73
        Width = 56
        Height = 21
        Tag = 2
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart3: TLabel
        Left = 132
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 3'
      end
      object Part3: TMyEdit
        Left = 132
        Top = 73
        Width = 56
        Height = 21
        Tag = 3
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart4: TLabel
        Left = 194
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 4'
      end
      object Part4: TMyEdit
        Left = 194
        Top = 73
        Width = 56
        Height = 21
        Tag = 4
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart5: TLabel
        Left = 256
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 5'
      end
      object Part5: TMyEdit
        Left = 256
        Top = 73
        Width = 56
        Height = 21
        Tag = 5
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart6: TLabel
        Left = 318
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 6'
      end
      object Part6: TMyEdit
        Left = 318
        Top = 73
        Width = 56
        Height = 21
        Tag = 6
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart7: TLabel
        Left = 380
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 7'
      end
      object Part7: TMyEdit
        Left = 380
        Top = 73
        Width = 56
        Height = 21
        Tag = 7
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart8: TLabel
        Left = 442
        Top = 58
        Width = 56
        Height = 13
        Caption = 'Part 8'
      end
      object Part8: TMyEdit
        Left = 442
        Top = 73
        Width = 56
        Height = 21
        Tag = 8
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart9: TLabel
        Left = 8
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 9'
      end
      object Part9: TMyEdit
        Left = 8
        Top = 125
        Width = 56
        Height = 21
        Tag = 9
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart10: TLabel
        Left = 70
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 10'
      end
      object Part10: TMyEdit
        Left = 70
        Top = 125
        Width = 56
        Height = 21
        Tag = 10
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart11: TLabel
        Left = 132
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 11'
      end
      object Part11: TMyEdit
        Left = 132
        Top = 125
        Width = 56
        Height = 21
        Tag = 11
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart12: TLabel
        Left = 194
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 12'
      end
      object Part12: TMyEdit
        Left = 194
        Top = 125
        Width = 56
        Height = 21
        Tag = 12
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart13: TLabel
        Left = 256
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 13'
      end
      object Part13: TMyEdit
        Left = 256
        Top = 125
        Width = 56
        Height = 21
        Tag = 13
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart14: TLabel
        Left = 318
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 14'
      end
      object Part14: TMyEdit
        Left = 318
        Top = 125
        Width = 56
        Height = 21
        Tag = 14
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart15: TLabel
        Left = 380
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 15'
      end
      object Part15: TMyEdit
        Left = 380
        Top = 125
        Width = 56
        Height = 21
        Tag = 15
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelPart16: TLabel
        Left = 442
        Top = 110
        Width = 56
        Height = 13
        Caption = 'Part 16'
      end
      object Part16: TMyEdit
        Left = 442
        Top = 125
        Width = 56
        Height = 21
        Tag = 16
        EditType = MinMax
        Min = 0
        Max = 64
        Code = 0
        Onchange = Part1change
        OnEndChange = Part1EndChange
      end
      object LabelAvailable: TLabel
        Left = 8
        Top = 170
        Width = 80
        Height = 13
        Caption = 'Voice Available'
      end
      object EditTotalVoice: TEdit
        Left = 8
        Top = 186
        Width = 56
        Height = 21
        ReadOnly = True
        TabOrder = 16
      end
    end
    object PanelKB: TPanel
      Left = 6
      Top = 250
      Width = 250
      Height = 60
      TabOrder = 3
      object LabelKB: TLabel
        Left = 8
        Top = 4
        Width = 80
        Height = 13
        Caption = 'Keyboard Mode'
      end
    end
    object PanelCS: TPanel
      Left = 262
      Top = 250
      Width = 250
      Height = 60
      TabOrder = 4
      object LabelCS: TLabel
        Left = 8
        Top = 4
        Width = 80
        Height = 13
        Caption = 'Clock Source'
      end
    end
  end
  object PanelBtn: TPanel
    Left = 4
    Top = 340
    Width = 522
    Height = 36
    TabOrder = 1
    object BtnUndo: TButton
      Left = 8
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Undo'
      TabOrder = 0
      OnClick = BtnUndoClick
    end
    object BtnRevert: TButton
      Left = 90
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Revert'
      TabOrder = 1
      OnClick = BtnRevertClick
    end
    object Btnclose: TButton
      Left = 438
      Top = 6
      Width = 75
      Height = 25
      Caption = '&Close'
      TabOrder = 2
      OnClick = BtncloseClick
    end
  end
end
