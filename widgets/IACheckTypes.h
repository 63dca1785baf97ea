#pragma once
// The enumerations and the event type of the image check control, with the
// ordinal values its settings are known by. Platform-neutral.
#include "framework/Method.h"

class TPersistent;

enum TIACheckControlType { iacctCheck = 0, iacctSelect = 1 };

enum TIACheckControlStyle {
    iaccsStyle1 = 0,
    iaccsBitmap = 1,
    iaccsStyle2 = 2,
    iaccsStyle1Small = 3,
    iaccsStyle3 = 4,
};

enum TIACheckControlTextHAlign { iaccthaLeft = 0, iaccthaRight = 1, iaccthaCenter = 2 };

enum TIACheckControlTextVAlign { iacctvaTop = 0, iacctvaBottom = 1, iacctvaCenter = 2 };

enum TIACheckControlText3DStyle { iscct3dsSimple = 0, iscct3dsUp = 1, iscct3dsDown = 2 };

// Raised after every change of the check state, with the new state.
using TIACheckControlChangeStateProcedure = TMethod<void(TPersistent* ASender, bool ANewStateSelected)>;
