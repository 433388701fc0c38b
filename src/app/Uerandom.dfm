object FormRandom: TFormRandom
  Left = 240
  Top = 160
  BorderStyle = bsDialog
  Caption = 'Bank Random'
  ClientHeight = 262
  ClientWidth = 420
  Position = poScreenCenter
  OnClose = FormClose
  OnShow = FormShow
  object GroupBox1: TGroupBox
    Left = 8
    Top = 8
    Width = 130
    Height = 150
    Caption = 'Random On'
    TabOrder = 0
    object Common: TCheckBox
      Left = 12
      Top = 20
      Width = 110
      Height = 17
      Caption = ' Common'
      Checked = True
      State = cbChecked
      TabOrder = 0
    end
    object Tone1: TCheckBox
      Left = 12
      Top = 41
      Width = 110
      Height = 17
      Caption = ' Tone 1'
      Checked = True
      State = cbChecked
      TabOrder = 1
    end
    object Tone2: TCheckBox
      Left = 12
      Top = 62
      Width = 110
      Height = 17
      Caption = ' Tone 2'
      Checked = True
      State = cbChecked
      TabOrder = 2
    end
    object Tone3: TCheckBox
      Left = 12
      Top = 83
      Width = 110
      Height = 17
      Caption = ' Tone 3'
      Checked = True
      State = cbChecked
      TabOrder = 3
    end
    object Tone4: TCheckBox
      Left = 12
      Top = 104
      Width = 110
      Height = 17
      Caption = ' Tone 4'
      Checked = True
      State = cbChecked
      TabOrder = 4
    end
    object PatchName: TCheckBox
      Left = 12
      Top = 125
      Width = 110
      Height = 17
      Caption = ' Patch Name'
      Checked = True
      State = cbChecked
      TabOrder = 5
    end
  end
  object GroupBox2: TGroupBox
    Left = 146
    Top = 8
    Width = 266
    Height = 64
    Caption = 'Randomizing Type'
    TabOrder = 1
    object ToneComm: TRadioButton
      Left = 12
      Top = 20
      Width = 240
      Height = 17
      Caption = ' Tone/Common Oriented'
      TabOrder = 0
    end
    object RadioButton2: TRadioButton
      Left = 12
      Top = 40
      Width = 240
      Height = 17
      Caption = ' Group Oriented'
      Checked = True
      TabOrder = 1
    end
  end
  object GroupBox3: TGroupBox
    Left = 146
    Top = 80
    Width = 266
    Height = 130
    Caption = 'Bank Preview'
    TabOrder = 2
    object Label1: TLabel
      Left = 12
      Top = 24
      Width = 70
      Height = 13
      Caption = 'Patch position'
    end
    object CurrPatch: TLabel
      Left = 148
      Top = 24
      Width = 30
      Height = 13
      Caption = ' 1'
    end
    object Precedente: TButton
      Left = 110
      Top = 19
      Width = 28
      Height = 23
      Caption = '<'
      TabOrder = 0
      OnClick = PrecedenteClick
    end
    object Successivo: TButton
      Left = 180
      Top = 19
      Width = 28
      Height = 23
      Caption = '>'
      TabOrder = 1
      OnClick = SuccessivoClick
    end
    object BitBtn1: TBitBtn
      Left = 12
      Top = 56
      Width = 116
      Height = 25
      Caption = 'Randomize Bank'
      TabOrder = 2
      OnClick = BitBtn1Click
    end
    object BitBtn2: TBitBtn
      Left = 138
      Top = 56
      Width = 116
      Height = 25
      Caption = 'Randomize Patch'
      TabOrder = 3
      OnClick = BitBtn2Click
    end
    object BitBtn4: TBitBtn
      Left = 12
      Top = 92
      Width = 242
      Height = 25
      Caption = 'Test'
      TabOrder = 4
      OnMouseDown = BitBtn4MouseDown
      OnMouseUp = BitBtn4MouseUp
    end
  end
  object CreateBank: TButton
    Left = 8
    Top = 224
    Width = 120
    Height = 25
    Caption = 'Create Bank'
    TabOrder = 3
    OnClick = CreateBankClick
  end
  object CreatePatch: TButton
    Left = 150
    Top = 224
    Width = 120
    Height = 25
    Caption = 'Create Patch'
    TabOrder = 4
    OnClick = CreatePatchClick
  end
  object Btnclose: TButton
    Left = 292
    Top = 224
    Width = 120
    Height = 25
    Caption = '&Close'
    TabOrder = 5
    OnClick = BtncloseClick
  end
end
