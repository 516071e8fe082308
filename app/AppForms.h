#pragma once
// The program's stored form descriptions (app/forms/*.dfm, with the stored data of their stored skins
// packed in by the skin builder), compiled in at build time. Each one is registered under its file
// name without extension ("Unit1"), where its form class reads it.
#include "platform/vcl/FormResources.h"

// Registers every description; defined by the generated source. Calling it again changes nothing.
void RegisterAppForms();
