// The mouse: every pending record gives at most one command; the buttons
// choose the side of the pair or lock.
#include <array>

#include "game/form1.h"

namespace earshot {

void Form1::DirectXEvent8_DXCallback(std::int32_t /*eventid*/) {
    std::array<DIDEVICEOBJECTDATA, 100> diDeviceData{};
    const std::int32_t count =
        existing(input.Mouse, sentence("The mouse does not exist, since the game did not start.")).GetDeviceData(diDeviceData, 0);
    for (std::int32_t i = 0; i < count && i < static_cast<std::int32_t>(diDeviceData.size());
         ++i) {
        const DIDEVICEOBJECTDATA& record = diDeviceData[static_cast<std::size_t>(i)];
        switch (record.lOfs) {
            case DIMOFS_X:
                if (record.lData > 0) {
                    MoveRight();
                } else if (record.lData < 0) {
                    MoveLeft();
                }
                break;
            case DIMOFS_Y:
                if (record.lData > 3) {
                    MoveBack();
                } else if (record.lData < -3) {
                    MoveForward();
                }
                break;
            case DIMOFS_BUTTON0:
                if (LeftSelected) {
                    Lockdown();
                } else {
                    LeftSelected = true;
                }
                break;
            case DIMOFS_BUTTON1:
                if (LeftSelected) {
                    LeftSelected = false;
                } else {
                    Lockdown();
                }
                break;
            default:
                break;
        }
    }
}

}  // namespace earshot
