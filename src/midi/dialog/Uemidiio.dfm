object FormInOut: TFormInOut
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Midi Settings'
  ClientHeight = 249
  ClientWidth = 425
  Position = poScreenCenter
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnShow = FormShow
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 201
    Height = 153
    Caption = 'Midi Input'
    TabOrder = 0
    object InputPort: TListBox
      Left = 8
      Top = 18
      Width = 185
      Height = 125
      TabOrder = 0
    end
  end
  object GroupBox2: TGroupBox
    Left = 216
    Top = 8
    Width = 201
    Height = 153
    Caption = 'Midi Output'
    TabOrder = 1
    object OutputPort: TListBox
      Left = 8
      Top = 18
      Width = 185
      Height = 125
      TabOrder = 0
    end
  end
  object Label1: TLabel
    Left = 16
    Top = 176
    Caption = 'Device Identifier'
  end
  object SpinDeviceID: TSpinEdit
    Left = 112
    Top = 172
    Width = 57
    Height = 22
    MaxValue = 32
    MinValue = 17
    TabOrder = 2
    Value = 17
  end
  object MidiThrue: TCheckBox
    Left = 224
    Top = 175
    Caption = ' Midi Thru'
    TabOrder = 3
  end
  object OkBtn: TButton
    Left = 256
    Top = 212
    Caption = 'Ok'
    Default = True
    TabOrder = 4
    OnClick = OkBtnClick
  end
  object CancelBtn: TButton
    Left = 342
    Top = 212
    Cancel = True
    Caption = 'Cancel'
    TabOrder = 5
    OnClick = CancelBtnClick
  end
end
