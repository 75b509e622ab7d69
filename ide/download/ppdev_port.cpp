#include "ide/download/ppdev_port.h"

#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>

namespace download {
namespace {

std::string device_path(const std::string& name) {
    const bool bare_number = !name.empty() && std::isdigit(static_cast<unsigned char>(name[0])) &&
                             name.find_first_not_of("0123456789") == std::string::npos;
    return bare_number ? "/dev/parport" + name : name;
}

}  // namespace

os::Result<std::unique_ptr<PpdevPort>> PpdevPort::open(const std::string& name) {
    const std::string path = device_path(name);
    const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return os::system_error("no parallel port at '" + path + "'");
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISCHR(info.st_mode)) {
        ::close(fd);
        return os::plain_error("'" + path + "' is not a parallel port device");
    }
    // Exclusive: no other driver may share the port while a download runs.
    if (::ioctl(fd, PPEXCL) != 0 || ::ioctl(fd, PPCLAIM) != 0) {
        const int code = errno;
        ::close(fd);
        return os::system_error("can't claim the parallel port '" + path + "'", code);
    }
    int mode = IEEE1284_MODE_COMPAT;
    ::ioctl(fd, PPSETMODE, &mode);
    return std::unique_ptr<PpdevPort>(new PpdevPort(fd, path));
}

PpdevPort::~PpdevPort() {
    ::ioctl(fd_, PPRELEASE);
    ::close(fd_);
}

os::Status PpdevPort::write_data(std::uint8_t value) {
    unsigned char byte = value;
    if (::ioctl(fd_, PPWDATA, &byte) != 0) return os::system_error("parallel port '" + path_ + "'");
    return {};
}

os::Status PpdevPort::write_control(std::uint8_t value) {
    unsigned char byte = value;
    if (::ioctl(fd_, PPWCONTROL, &byte) != 0) return os::system_error("parallel port '" + path_ + "'");
    return {};
}

os::Result<std::uint8_t> PpdevPort::read_status() {
    unsigned char byte = 0;
    if (::ioctl(fd_, PPRSTATUS, &byte) != 0) return os::system_error("parallel port '" + path_ + "'");
    return std::uint8_t(byte);
}

}  // namespace download
