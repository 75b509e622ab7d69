#include "platform/ipc/window_messages.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/ipc/runtime_dir.h"

namespace ipc {

namespace {

// What travels in one datagram. Both ends are processes of this kit on the same
// machine, so the host byte order is the wire order.
struct WireMessage {
    uint32_t magic;
    uint32_t message;
    uint64_t wparam;
    uint64_t lparam;
};
constexpr uint32_t kWireMagic = 0x4D575651;  // "QVWM"

// A full queue makes the sender wait this long before the post fails.
constexpr int kSendTimeoutSeconds = 5;

constexpr const char* kPortPrefix = "window-";

std::optional<sockaddr_un> socket_address(const std::string& path) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return std::nullopt;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    return address;
}

std::optional<sockaddr_un> port_address(WindowHandle window, std::string* why) {
    auto dir = runtime_directory(why);
    if (!dir) return std::nullopt;
    std::string path = (*dir / (kPortPrefix + std::to_string(window))).string();
    auto address = socket_address(path);
    if (!address && why) *why = "runtime folder path too long for a socket: " + path;
    return address;
}

int datagram_socket() { return socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0); }

// Connecting to a socket file nobody has bound any more is refused at once;
// any other failure says nothing about the port, which then counts as neither.
enum class PortState { Served, Dead, Unknown };

PortState port_state(const sockaddr_un& address) {
    int probe = datagram_socket();
    if (probe < 0) return PortState::Unknown;
    PortState state = PortState::Served;
    if (connect(probe, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        state = errno == ECONNREFUSED ? PortState::Dead : PortState::Unknown;
    close(probe);
    return state;
}

// One unbound socket per sending thread, so a post costs a single system call.
class SenderSocket {
public:
    SenderSocket() : fd_(datagram_socket()) {
        timeval timeout{kSendTimeoutSeconds, 0};
        if (fd_ >= 0) setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
    }
    ~SenderSocket() {
        if (fd_ >= 0) close(fd_);
    }
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace

MessagePort::MessagePort(WindowHandle window, int fd, std::string path)
    : window_(window), fd_(fd), path_(std::move(path)) {}

MessagePort::~MessagePort() {
    close(fd_);
    unlink(path_.c_str());
}

std::unique_ptr<MessagePort> MessagePort::open(WindowHandle window, std::string* why) {
    if (window == 0) {
        if (why) *why = "window handle 0 has no port";
        return nullptr;
    }
    auto address = port_address(window, why);
    if (!address) return nullptr;
    int fd = datagram_socket();
    if (fd < 0) {
        if (why) *why = errno_text("cannot create a socket");
        return nullptr;
    }
    auto bind_port = [&] { return bind(fd, reinterpret_cast<const sockaddr*>(&*address), sizeof *address) == 0; };
    bool bound = bind_port();
    if (!bound && errno == EADDRINUSE && port_state(*address) == PortState::Dead) {
        unlink(address->sun_path);
        bound = bind_port();
    }
    if (!bound) {
        if (why) *why = errno_text("cannot bind the port of window " + std::to_string(window));
        close(fd);
        return nullptr;
    }
    return std::unique_ptr<MessagePort>(new MessagePort(window, fd, address->sun_path));
}

std::optional<PostedMessage> MessagePort::receive(int timeout_ms) {
    for (;;) {
        pollfd ready{fd_, POLLIN, 0};
        int events = poll(&ready, 1, timeout_ms);
        if (events < 0 && errno == EINTR) continue;
        if (events <= 0) return std::nullopt;
        WireMessage wire{};
        ssize_t got = recv(fd_, &wire, sizeof wire, MSG_DONTWAIT);
        if (got < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (got < 0) return std::nullopt;
        // Anything that is not one of our datagrams is dropped, not delivered.
        if (got != static_cast<ssize_t>(sizeof wire) || wire.magic != kWireMagic) continue;
        return PostedMessage{window_, wire.message, wire.wparam, wire.lparam};
    }
}

bool post_message(WindowHandle window, uint32_t message, uint64_t wparam, uint64_t lparam) {
    if (window == 0) return false;
    auto address = port_address(window, nullptr);
    if (!address) return false;
    thread_local SenderSocket sender;
    if (sender.fd() < 0) return false;
    WireMessage wire{kWireMagic, message, wparam, lparam};
    for (;;) {
        ssize_t sent =
            sendto(sender.fd(), &wire, sizeof wire, 0, reinterpret_cast<const sockaddr*>(&*address), sizeof *address);
        if (sent == static_cast<ssize_t>(sizeof wire)) return true;
        if (sent < 0 && errno == EINTR) continue;
        return false;
    }
}

bool is_window(WindowHandle window) {
    if (window == 0) return false;
    auto address = port_address(window, nullptr);
    return address && port_state(*address) == PortState::Served;
}

void remove_dead_ports(const std::filesystem::path& folder) {
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        const std::string file = entry->path().filename().string();
        if (!file.starts_with(kPortPrefix) || entry->symlink_status(error).type() != std::filesystem::file_type::socket)
            continue;
        const auto address = socket_address(entry->path().string());
        if (address && port_state(*address) == PortState::Dead) unlink(address->sun_path);
    }
}

}  // namespace ipc
