#pragma once
// Every class of the skinned window layer a stored form may name, with the grids, controls and skin
// entries below it. Registration is one explicit call at start-up: no constructor registers its own
// class, so what a form can be read with never depends on which component happened to be made first.
void RegisterSkinFormClasses();
