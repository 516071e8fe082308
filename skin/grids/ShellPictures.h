#pragma once
// The small pictures of the file and folder views and their dialogs, drawn in code so the program
// carries no picture files of its own for them: the tool-button glyphs of the dialogs (16 x 16 on a
// fuchsia ground that the buttons leave out).
class TBitmap;

enum TskToolGlyph { tgBack, tgUp, tgNewFolder, tgViewStyle };

// Sizes B to 16 x 16 and paints the glyph; the bottom-left pixel is the transparent colour.
void PaintToolGlyph(TBitmap& B, TskToolGlyph Glyph);
