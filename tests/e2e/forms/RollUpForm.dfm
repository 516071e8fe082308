object RollUpForm: TRollUpForm
  Left = 220
  Top = 180
  BorderStyle = bsNone
  Caption = 'Roll-up journey'
  ClientHeight = 200
  ClientWidth = 400
  Color = clBtnFace
  object skf: TskFormFrame
    SkinData = skSkinData1
    MenusSkinData = skSkinData1
    SupportNCArea = False
    Sizeable = False
    DraggAble = True
    BorderIcons = [biSystemMenu, biMinimize, biRollUp]
  end
  object skSkinData1: TskSkinData
  end
end
