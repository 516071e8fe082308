#pragma once
// Everything the program's stored forms may name: the classes of every library below the converter,
// the converter's own forms with the handlers their descriptions bind, and the form descriptions
// themselves. The program calls it once at start-up, before it makes a window; a test that makes the
// program's windows calls it the same way (a second call does nothing).
void RegisterAppClasses();
