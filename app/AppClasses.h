#pragma once
// Everything the program's stored forms may name: the classes of every library below the converter,
// the converter's own forms with the handlers their descriptions bind, and the form descriptions
// themselves. The program calls it first; each form calls it again before reading itself (cheap
// after the first call), so a window made anywhere (a test) finds its classes.
void RegisterAppClasses();
