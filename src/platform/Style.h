#pragma once

// Sets the application's widget style: the platform's own, with one mend for
// right-to-left windows. Qt draws the caption of a push button that carries a
// picture aligned to the right of the space beside the picture, and that
// alignment is then mirrored in a right-to-left window: the caption landed
// against the button's left edge with the picture in the middle. Here the
// caption stands beside its picture, the two centred together. A combo box
// laid out left to right in the right-to-left program also reads its text
// left to right. Access letters are underlined only while Alt is held. Call
// once, after the application object exists.
void installProgramStyle();
