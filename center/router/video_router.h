// The control program's view of the external video matrix router.
#pragma once

#include <cstdint>
#include <string>

namespace mlc {

class VideoRouter {
public:
    virtual ~VideoRouter() = default;

    virtual bool SetDeviceUsage(std::uint8_t deviceId, bool inUse) = 0;
    virtual bool SetNewInput(std::uint8_t deviceId, std::uint8_t input) = 0;
    virtual bool CommitChanges() = 0;
    virtual void ResyncVideowall() = 0;
    virtual int GetInputCount() = 0;
    virtual std::string GetInputName(int index) = 0;
    virtual void ConfigurePlugin() = 0;
};

// The router reached through the linked MATRIXSW library.
class MatrixSwRouter final : public VideoRouter {
public:
    bool SetDeviceUsage(std::uint8_t deviceId, bool inUse) override;
    bool SetNewInput(std::uint8_t deviceId, std::uint8_t input) override;
    bool CommitChanges() override;
    void ResyncVideowall() override;
    int GetInputCount() override;
    std::string GetInputName(int index) override; // trimmed of surrounding blanks
    void ConfigurePlugin() override;
};

} // namespace mlc
