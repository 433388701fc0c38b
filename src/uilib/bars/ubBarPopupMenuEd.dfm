object ubBarSubMenuEditor: TubBarSubMenuEditor
  Left = 300
  Top = 200
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = 'UIBars SubMenu Editor'
  ClientHeight = 0
  ClientWidth = 160
  OnActivate = FormActivate
  OnClose = FormClose
  OnDestroy = FormDestroy
end
