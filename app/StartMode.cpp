#include "app/StartMode.h"

TStartMode StartModeFor(int showCommand)
{
    switch (showCommand) {
    case kSwHide:
    case kSwShowMinimized:
    case kSwMinimize:
    case kSwShowMinNoActive:
    case kSwForceMinimize:
        return smTray;
    case kSwShowMaximized:
    case kSwShow:
    case kSwShowNA:
    case kSwRestore:
    case kSwShowDefault:
        return smNormal;
    default:
        return smAsGiven;
    }
}

int StartShowCommandFor(int showCommand)
{
    switch (StartModeFor(showCommand)) {
    case smTray:
        return kSwHide;
    case smNormal:
        return kSwShowNormal;
    default:
        return showCommand;
    }
}
