#pragma once
// The entry point of a test binary whose tests read stored forms or ask the class registry: the
// program registers its classes once at start-up (no constructor does it), and these tests start the
// same way, with the registration of the layer they test, before any test runs.
//
//   int main(int argc, char** argv) { return RunTestsWithClasses(argc, argv, RegisterSkinGrids); }
int RunTestsWithClasses(int argc, char** argv, void (*RegisterClasses)());
