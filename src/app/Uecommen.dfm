object Formcomment: TFormcomment
  Left = 240
  Top = 160
  Caption = 'Comment'
  ClientHeight = 262
  ClientWidth = 392
  Position = poScreenCenter
  OnResize = FormResize
  OnShow = FormShow
  object Panel: TPanel
    Left = 4
    Top = 4
    Width = 384
    Height = 213
    BevelOuter = bvLowered
    TabOrder = 0
    object Memo: TMemo
      Left = 5
      Top = 5
      Width = 374
      Height = 203
      ScrollBars = ssBoth
      TabOrder = 0
      OnChange = MemoChange
      OnKeyPress = MemoKeyPress
    end
  end
  object PanelBut: TPanel
    Left = 4
    Top = 221
    Width = 384
    Height = 37
    TabOrder = 1
    object OKBtn: TButton
      Left = 76
      Top = 6
      Width = 75
      Height = 25
      Caption = 'Ok'
      Default = True
      TabOrder = 0
      OnClick = OKBtnClick
    end
    object CancelBtn: TButton
      Left = 232
      Top = 6
      Width = 75
      Height = 25
      Cancel = True
      Caption = 'Cancel'
      TabOrder = 1
      OnClick = CancelBtnClick
    end
  end
end
