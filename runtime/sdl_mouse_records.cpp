#include "runtime/sdl_mouse_records.h"

#include <optional>

namespace earshot {

namespace {

inline constexpr std::int32_t pressed = 0x80;
inline constexpr std::int32_t wheelDetent = 120;

std::optional<std::int32_t> buttonOffset(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT:
            return DIMOFS_BUTTON0;
        case SDL_BUTTON_RIGHT:
            return DIMOFS_BUTTON1;
        case SDL_BUTTON_MIDDLE:
            return DIMOFS_BUTTON2;
        case SDL_BUTTON_X1:
            return DIMOFS_BUTTON3;
        default:
            return std::nullopt;  // the mouse format has four buttons
    }
}

class Builder {
public:
    Builder(const SDL_Event& event, std::int32_t sequence)
        : timeStamp_(static_cast<std::int32_t>(event.common.timestamp)), sequence_(sequence) {}

    void add(std::int32_t offset, std::int32_t data) {
        DIDEVICEOBJECTDATA& record = result_.records[result_.count++];
        record.lOfs = offset;
        record.lData = data;
        record.lTimeStamp = timeStamp_;
        record.lSequence = sequence_;
    }

    MouseRecords result() const { return result_; }

private:
    std::int32_t timeStamp_;
    std::int32_t sequence_;
    MouseRecords result_;
};

}  // namespace

MouseRecords mouseRecords(const SDL_Event& event, std::int32_t sequence) {
    Builder builder(event, sequence);
    switch (event.type) {
        case SDL_MOUSEMOTION:
            // SDL's +y is down the screen, which is towards the user.
            if (event.motion.xrel != 0) {
                builder.add(DIMOFS_X, event.motion.xrel);
            }
            if (event.motion.yrel != 0) {
                builder.add(DIMOFS_Y, event.motion.yrel);
            }
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            if (auto offset = buttonOffset(event.button.button)) {
                builder.add(*offset, event.type == SDL_MOUSEBUTTONDOWN ? pressed : 0);
            }
            break;
        case SDL_MOUSEWHEEL: {
            // Away from the user is positive, whatever the system's
            // "natural scrolling" setting.
            const std::int32_t turn =
                event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
            if (turn != 0) {
                builder.add(DIMOFS_Z, turn * wheelDetent);
            }
            break;
        }
        default:
            break;
    }
    return builder.result();
}

}  // namespace earshot
