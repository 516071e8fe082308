#pragma once
// Registration of this library's classes with the class registry. The program's start-up calls
// RegisterVclClasses before any form is read, so that every class here is known even when no code of
// the program names it. Each function registers its unit's classes once.
void RegisterVclClasses();

void RegisterComponentClasses();
void RegisterGraphicsClasses();
void RegisterControlClasses();
void RegisterWinControlClasses();
void RegisterFormClasses();
void RegisterMenuClasses();
void RegisterTimerClasses();
void RegisterImageListClasses();
void RegisterStdCtrlsClasses();
void RegisterActionClasses();
