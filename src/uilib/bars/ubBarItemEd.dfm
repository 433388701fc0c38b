object ubBarItemAddEditor: TubBarItemAddEditor
  Left = 300
  Top = 200
  BorderStyle = bsDialog
  Caption = 'Add New UIBars Item'
  ClientHeight = 145
  ClientWidth = 273
  FormStyle = fsStayOnTop
  Position = poScreenCenter
  OnShow = FormShow
  object LName: TLabel
    Left = 8
    Top = 12
    Caption = 'Name:'
  end
  object LCaption: TLabel
    Left = 8
    Top = 38
    Caption = 'Caption:'
  end
  object LType: TLabel
    Left = 8
    Top = 64
    Caption = 'Type:'
  end
  object LCategory: TLabel
    Left = 8
    Top = 90
    Caption = 'Category:'
  end
  object Edit1: TEdit
    Left = 72
    Top = 8
    Width = 193
    Height = 21
    TabOrder = 0
  end
  object Edit2: TEdit
    Left = 72
    Top = 34
    Width = 193
    Height = 21
    TabOrder = 1
    Text = 'New Item'
  end
  object ComboBox1: TComboBox
    Left = 72
    Top = 60
    Width = 193
    Style = csDropDownList
    TabOrder = 2
    OnChange = ComboBox1Click
  end
  object ComboBox2: TComboBox
    Left = 72
    Top = 86
    Width = 193
    Style = csDropDownList
    TabOrder = 3
  end
  object BOk: TButton
    Left = 110
    Top = 114
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 4
    OnClick = BOkClick
  end
  object BCancel: TButton
    Left = 190
    Top = 114
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'Cancel'
    ModalResult = 2
    TabOrder = 5
  end
end
