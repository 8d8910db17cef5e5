// Buffered mouse input as the game sees it: a device that collects records
// of movements and button changes and signals an event when it has new
// ones. Every operation either does what its comment says or throws
// InputError.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace earshot {

// One input record. lOfs says which part of the mouse it reports; lData is
// the movement since the axis's previous record, or a button's new state
// (0x80 set = pressed).
struct DIDEVICEOBJECTDATA {
    std::int32_t lOfs = 0;
    std::int32_t lData = 0;
    std::int32_t lTimeStamp = 0;
    std::int32_t lSequence = 0;
    std::int32_t lUserData = 0;
};

inline constexpr std::int32_t DIMOFS_X = 0;
inline constexpr std::int32_t DIMOFS_Y = 4;
inline constexpr std::int32_t DIMOFS_Z = 8;
inline constexpr std::int32_t DIMOFS_BUTTON0 = 12;
inline constexpr std::int32_t DIMOFS_BUTTON1 = 13;
inline constexpr std::int32_t DIMOFS_BUTTON2 = 14;
inline constexpr std::int32_t DIMOFS_BUTTON3 = 15;

inline constexpr std::int32_t DIFORMAT_MOUSE = 2;
inline constexpr std::int32_t DISCL_EXCLUSIVE = 1;
inline constexpr std::int32_t DISCL_FOREGROUND = 4;
inline constexpr std::int32_t DIPH_DEVICE = 0;
inline constexpr const char* GUID_SysMouse = "guid_SysMouse";
inline constexpr const char* DIPROP_BUFFERSIZE = "DIPROP_BUFFERSIZE";

// A property value addressed to a device or one of its objects.
struct DIPROPLONG {
    std::int32_t lHow = DIPH_DEVICE;
    std::int32_t lObj = 0;
    std::int32_t lData = 0;
};

// The callback target of a notification event.
class DirectXEvent8 {
public:
    virtual ~DirectXEvent8() = default;
    virtual void DXCallback(std::int32_t eventid) = 0;
};

class DirectInputDevice8 {
public:
    virtual ~DirectInputDevice8() = default;
    virtual void SetCommonDataFormat(std::int32_t format) = 0;
    virtual void SetCooperativeLevel(std::intptr_t windowHandle, std::int32_t flags) = 0;
    // DIPROP_BUFFERSIZE: how many records the device holds between reads.
    virtual void SetProperty(const std::string& name, const DIPROPLONG& value) = 0;
    // The event (made by DirectX8::CreateEvent) to signal when records come.
    virtual void SetEventNotification(std::int32_t eventHandle) = 0;
    virtual void Acquire() = 0;
    virtual void Unacquire() = 0;
    // Moves up to records.size() pending records, oldest first, into
    // records and returns how many. Throws while the device is not acquired.
    virtual std::int32_t GetDeviceData(std::span<DIDEVICEOBJECTDATA> records,
                                       std::int32_t flags) = 0;
};

class DirectInput8 {
public:
    virtual ~DirectInput8() = default;
    // GUID_SysMouse: the system mouse. Throws when there is none.
    virtual std::shared_ptr<DirectInputDevice8> CreateDevice(const std::string& guid) = 0;
};

}  // namespace earshot
