object MdiForm: TMdiForm
  Left = 100
  Top = 80
  Caption = 'MDI journey'
  ClientHeight = 400
  ClientWidth = 600
  Color = clBtnFace
  FormStyle = fsMDIForm
  TileMode = tbVertical
  OnShow = HostMakeChildren
  object Bar: TskSkinMainMenuBar
    Left = 0
    Top = 0
    Width = 600
    Height = 22
    MainMenu = MainMenu1
    FormFrame = skf
  end
  object Tools: TPanel
    Left = 0
    Top = 22
    Width = 600
    Height = 30
    Align = alTop
    object btnTile: TskSkinButton
      Left = 4
      Top = 3
      Width = 70
      Height = 24
      Caption = 'Tile'
      OnClick = HostTile
    end
    object btnCascade: TskSkinButton
      Left = 80
      Top = 3
      Width = 70
      Height = 24
      Caption = 'Cascade'
      OnClick = HostCascade
    end
  end
  object Tabs: TskSkinMDITabsBar
    Left = 0
    Top = 52
    Width = 600
    Height = 21
    Align = alTop
    FormFrame = skf
    TabKind = sktkButton
    DefaultTabWidth = 100
  end
  object skf: TskFormFrame
    MainMenuBar = Bar
    MDITabsBar = Tabs
    BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  end
  object MainMenu1: TMainMenu
    object mnuFile: TMenuItem
      Caption = '&File'
      OnClick = HostClick
    end
    object mnuWindow: TMenuItem
      Caption = '&Window'
    end
  end
end
