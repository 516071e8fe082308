#pragma once
// The splash shown while the program starts: a borderless window, centred on the screen, sized to
// its one picture (509 x 99). It has no behaviour of its own.
#include "platform/gfx/TSurface.h"
#include "platform/vcl/TForm.h"

class TImage;

class TOMR_Splash : public TForm {
public:
    explicit TOMR_Splash(TComponent* AOwner);

    TImage* Image1 = nullptr; // the splash picture
};

// The splash picture: the program's name and what it does on a dark blue band.
void DrawSplashPicture(TImage& Image);
// The program's icon, Side pixels square: the play mark of the splash picture on its band.
TSurface ProgramIconPicture(int Side = 48);
