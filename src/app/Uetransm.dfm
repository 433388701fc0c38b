object FormTransmet: TFormTransmet
  Left = 320
  Top = 240
  BorderStyle = bsDialog
  Caption = 'Receiving'
  ClientHeight = 229
  ClientWidth = 268
  Position = poScreenCenter
  OnActivate = FormActivate
  OnClose = FormClose
  OnShow = FormShow
  object GroupBox3: TGroupBox
    Left = 8
    Top = 4
    Width = 252
    Height = 41
    TabOrder = 0
    object LabelReceiving: TLabel
      Left = 10
      Top = 18
      Caption = 'Now Receiving'
    end
  end
  object GroupBox4: TGroupBox
    Left = 8
    Top = 48
    Width = 252
    Height = 41
    TabOrder = 1
    object LabelElem: TLabel
      Left = 10
      Top = 18
      Caption = 'Element : '
    end
    object LabelElemNum: TLabel
      Left = 62
      Top = 18
    end
  end
  object GroupBox1: TGroupBox
    Left = 8
    Top = 92
    Width = 120
    Height = 65
    Caption = 'Send'
    TabOrder = 2
    object Label1: TLabel
      Left = 10
      Top = 20
      Caption = 'Bytes :'
    end
    object LabelByteSended: TLabel
      Left = 72
      Top = 20
      Caption = '0'
    end
    object Label2: TLabel
      Left = 10
      Top = 40
      Caption = 'Message :'
    end
    object LabelMessageSended: TLabel
      Left = 72
      Top = 40
      Caption = '0'
    end
  end
  object GroupBox2: TGroupBox
    Left = 140
    Top = 92
    Width = 120
    Height = 65
    Caption = 'Receive'
    TabOrder = 3
    object Label5: TLabel
      Left = 10
      Top = 20
      Caption = 'Bytes :'
    end
    object LabelBytereceived: TLabel
      Left = 72
      Top = 20
      Caption = '0'
    end
    object Label6: TLabel
      Left = 10
      Top = 40
      Caption = 'Message :'
    end
    object LabelMessageReceived: TLabel
      Left = 72
      Top = 40
      Caption = '0'
    end
  end
  object Gauge: TGauge
    Left = 8
    Top = 164
    Width = 252
    Height = 20
    ForeColor = clAqua
  end
  object BitBtn1: TBitBtn
    Left = 96
    Top = 194
    Width = 77
    TabOrder = 4
    Kind = bkCancel
    OnClick = BitBtn1Click
  end
  object Timer: TTimer
    Enabled = False
    Left = 8
    Top = 192
  end
  object TimerCleanup: TTimer
    Enabled = False
    Left = 40
    Top = 192
  end
end
