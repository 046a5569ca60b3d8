#include "BoxTable.h"

ControllerBox boxArray[kBoxCount];
int controllerBoxNumber = 0;
QString checkControllerStr;
QString checkControllerStr_Old;

void resetBoxArray()
{
    for (ControllerBox &box : boxArray)
        box = ControllerBox();
    controllerBoxNumber = 0;
    checkControllerStr.clear();
    checkControllerStr_Old.clear();
}
