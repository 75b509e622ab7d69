#pragma once
// A parallel port on Linux through /dev/parportN: opened and claimed
// exclusively, released and closed when the object goes, on every path.
#include <memory>
#include <string>

#include "ide/download/parallel_port.h"

namespace download {

class PpdevPort final : public ParallelPort {
public:
    // "/dev/parport0", or a bare number ("0") for that port.
    static os::Result<std::unique_ptr<PpdevPort>> open(const std::string& name);
    ~PpdevPort() override;
    PpdevPort(const PpdevPort&) = delete;
    PpdevPort& operator=(const PpdevPort&) = delete;

    os::Status write_data(std::uint8_t value) override;
    os::Status write_control(std::uint8_t value) override;
    os::Result<std::uint8_t> read_status() override;

private:
    PpdevPort(int fd, std::string path) : fd_(fd), path_(std::move(path)) {}
    int fd_;
    std::string path_;
};

}  // namespace download
