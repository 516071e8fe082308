object TrayForm: TTrayForm
  Left = 120
  Top = 100
  BorderIcons = [biSystemMenu, biMinimize, biMaximize]
  Caption = 'Tray journey'
  ClientHeight = 200
  ClientWidth = 360
  Color = clBtnFace
  object skf: TskFormFrame
    SkinData = skSkinData1
    MenusSkinData = skSkinData1
    BorderIcons = [biSystemMenu, biMinimize, biMaximize, biMinimizeToTray]
    TrayIcon = Tray
    AlwaysMinimizeToTray = True
    OnMinimizeToTray = HostClick
  end
  object skSkinData1: TskSkinData
  end
  object Tray: TskTrayIcon
    Hint = 'Tray journey'
    OnClick = HostClick
  end
end
