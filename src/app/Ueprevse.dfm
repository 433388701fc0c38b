object FormPreviewSetup: TFormPreviewSetup
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Preview Setup'
  ClientHeight = 262
  ClientWidth = 372
  Position = poScreenCenter
  HelpContext = 19
  OnShow = FormShow
  object GroupBox1: TGroupBox
    Left = 8
    Top = 4
    Width = 356
    Height = 44
    Caption = 'Play'
    TabOrder = 0
    object RadioSingle: TRadioButton
      Left = 16
      Top = 18
      Width = 120
      Height = 17
      Caption = ' Single Note'
      Checked = True
      TabOrder = 0
      OnClick = RadioClick
    end
    object RadioMidi: TRadioButton
      Left = 180
      Top = 18
      Width = 120
      Height = 17
      Caption = ' Midi File'
      TabOrder = 1
      OnClick = RadioClick
    end
  end
  object PanelNote: TPanel
    Left = 8
    Top = 56
    Width = 356
    Height = 64
    BevelOuter = bvLowered
    TabOrder = 1
    object Label1: TLabel
      Left = 12
      Top = 10
      Caption = 'Note'
    end
    object Note: TMyEdit
      Left = 12
      Top = 28
      Width = 80
      Height = 22
      Max = 127
      EditType = Note
      TabOrder = 0
    end
    object Label2: TLabel
      Left = 120
      Top = 10
      Caption = ' Velocity '
    end
    object Velocity: TPanSlider
      Left = 120
      Top = 26
      Width = 226
      Height = 28
      Max = 127
      Vertical = False
      ELeft = 4
      ETop = 6
      EWidth = 30
      EHeight = 16
      SLeft = 40
      STop = 4
      SWidth = 180
      SHeight = 20
      TabOrder = 1
    end
  end
  object PanelMidi: TPanel
    Left = 8
    Top = 128
    Width = 356
    Height = 80
    BevelOuter = bvLowered
    TabOrder = 2
    object Label3: TLabel
      Left = 12
      Top = 10
      Caption = 'Midi Filename'
    end
    object MidiName: TEdit
      Left = 12
      Top = 28
      Width = 332
      Height = 21
      TabOrder = 0
    end
    object Cercabtn: TButton
      Left = 268
      Top = 52
      Width = 76
      Height = 23
      Caption = 'Browse'
      TabOrder = 1
      OnClick = CercabtnClick
    end
  end
  object BitBtn1: TBitBtn
    Left = 16
    Top = 224
    Width = 77
    Height = 25
    Caption = 'Test'
    TabOrder = 3
    OnMouseDown = BitBtn1MouseDown
    OnMouseUp = BitBtn1MouseUp
  end
  object BitBtn2: TBitBtn
    Left = 190
    Top = 224
    Width = 77
    Height = 25
    TabOrder = 4
    Kind = bkOK
    OnClick = BitBtn2Click
  end
  object BitBtn3: TBitBtn
    Left = 279
    Top = 224
    Width = 77
    Height = 25
    TabOrder = 5
    Kind = bkCancel
  end
  object MediaPlayer: TMediaPlayer
    Left = 120
    Top = 224
    Width = 20
    Height = 20
    Visible = False
    DeviceType = dtSequencer
    AutoOpen = False
  end
end
