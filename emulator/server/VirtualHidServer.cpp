#include "VirtualHidServer.h"

#include "CollectionDescriptor.h"
#include "platform/VirtualHidProtocol.h"
#include "platform/linux/UnixSocketPath.h"
#include "platform/linux/VirtualHidFolder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace lumeno {
namespace {

using namespace virtualhid;

constexpr int kListenBacklog = 16;

// The name a socket is bound under before it is published: short, so that it
// binds in any folder, and the same for the same published name, so that a
// server started again removes what a killed one left.
std::string HiddenName(const std::string& published)
{
    uint64_t hash = 0xcbf29ce484222325u; // FNV-1a
    for (const unsigned char c : published)
        hash = (hash ^ c) * 0x100000001b3u;
    char name[24];
    std::snprintf(name, sizeof name, "%c%016llx", kHiddenPrefix, static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

VirtualHidServer::VirtualHidServer(VirtualMouse& mouse, std::filesystem::path folder, LineSink lines)
    : mouse_(mouse), folder_(std::move(folder)), lines_(std::move(lines))
{
    for (const auto& info : mouse_.Collections()) {
        Listener l;
        l.info = info;
        l.descriptor = BuildCollectionDescriptor(info);
        l.path = folder_ / FormatSocketName(info.vendorId, info.productId, info.number, mouse_.Options().instanceId);
        listeners_.push_back(std::move(l));
    }
}

VirtualHidServer::~VirtualHidServer() { Stop(); }

std::vector<std::filesystem::path> VirtualHidServer::SocketPaths() const
{
    std::vector<std::filesystem::path> paths;
    for (const auto& l : listeners_)
        paths.push_back(l.path);
    return paths;
}

void VirtualHidServer::Emit(const std::string& line)
{
    if (lines_)
        lines_(line);
}

bool VirtualHidServer::Start(std::string* error)
{
    if (worker_.Started())
        return true;
    if (!EnsureVirtualHidFolder(folder_, error))
        return false;
    // A live socket of the same name belongs to another server: taking its
    // name over would leave two mice behind one name.
    for (const auto& l : listeners_) {
        const int probe = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0);
        const bool live = probe >= 0 && ConnectSocketAt(probe, l.path) == 0;
        if (probe >= 0)
            ::close(probe);
        if (live) {
            if (error)
                *error = l.path.string() + ": another virtual mouse serves this name (use --instance)";
            return false;
        }
    }
    if (!worker_.Open()) {
        if (error)
            *error = std::string("eventfd: ") + std::strerror(errno);
        return false;
    }
    if (mouse_.IsPlugged() && !Publish(error)) {
        worker_.Stop();
        return false;
    }
    wantPlugged_ = published_;
    mouse_.SetHost(this);
    // A plug change between the check above and SetHost is caught here.
    wantPlugged_ = mouse_.IsPlugged();
    worker_.Start([this] { Run(); });
    worker_.Wake();
    return true;
}

void VirtualHidServer::Stop()
{
    if (!worker_.Started())
        return;
    mouse_.SetHost(nullptr);
    worker_.Stop();
    Unpublish();
}

bool VirtualHidServer::Publish(std::string* error)
{
    for (auto& l : listeners_) {
        // Bind under a hidden name and rename once listening, so that the
        // name appears only when a connect can succeed.
        const std::string hiddenName = HiddenName(l.path.filename().string());
        const auto hidden = folder_ / hiddenName;
        ::unlink(hidden.c_str());
        l.fd = ::socket(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        int failure = l.fd < 0 ? errno : BindSocketInFolder(l.fd, folder_, hiddenName);
        if (!failure && (::listen(l.fd, kListenBacklog) != 0 || ::rename(hidden.c_str(), l.path.c_str()) != 0))
            failure = errno;
        if (failure) {
            if (error)
                *error = l.path.string() + ": " + std::strerror(failure);
            ::unlink(hidden.c_str());
            published_ = true; // so that Unpublish cleans up what was made
            Unpublish();
            return false;
        }
    }
    published_ = true;
    return true;
}

void VirtualHidServer::Unpublish()
{
    if (!published_)
        return;
    // Names first, so that nobody connects to a socket about to close.
    for (auto& l : listeners_) {
        if (l.fd >= 0) {
            ::unlink(l.path.c_str());
            ::close(l.fd);
            l.fd = -1;
        }
    }
    std::lock_guard lock(mutex_);
    for (const auto& c : clients_) {
        ::shutdown(c.fd, SHUT_RDWR);
        ::close(c.fd);
    }
    clients_.clear();
    published_ = false;
}

void VirtualHidServer::OnPlugChanged(bool plugged)
{
    // Applied on the server's thread: sockets are only opened and closed there.
    wantPlugged_ = plugged;
    worker_.Wake();
}

void VirtualHidServer::OnInputReport(MouseCollection collection, std::span<const uint8_t> report)
{
    Emit(log_.Input(collection, report));
    std::vector<uint8_t> message(kHeaderSize + report.size());
    message[0] = static_cast<uint8_t>(MessageType::Input);
    std::copy(report.begin(), report.end(), message.begin() + kHeaderSize);
    std::lock_guard lock(mutex_);
    for (const auto& c : clients_) {
        const auto mode = static_cast<OpenMode>(c.mode);
        if (c.greeted && listeners_[c.listener].info.collection == collection &&
            (mode == OpenMode::Commands || mode == OpenMode::Events))
            // A reader that does not keep up loses reports, as with hidraw.
            ::send(c.fd, message.data(), message.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
    }
}

void VirtualHidServer::Reply(int fd, uint8_t type, uint8_t status, std::span<const uint8_t> payload)
{
    std::vector<uint8_t> message(kHeaderSize + payload.size());
    message[0] = type | kReply;
    message[1] = status;
    std::copy(payload.begin(), payload.end(), message.begin() + kHeaderSize);
    std::lock_guard lock(mutex_);
    ::send(fd, message.data(), message.size(), MSG_DONTWAIT | MSG_NOSIGNAL);
}

void VirtualHidServer::CloseClient(int fd)
{
    std::lock_guard lock(mutex_);
    const auto it = std::find_if(clients_.begin(), clients_.end(), [fd](const Client& c) { return c.fd == fd; });
    if (it != clients_.end()) {
        ::close(it->fd);
        clients_.erase(it);
    }
}

void VirtualHidServer::Accept(std::size_t listener)
{
    for (;;) {
        const int fd = ::accept4(listeners_[listener].fd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0)
            return;
        std::lock_guard lock(mutex_);
        clients_.push_back(Client{fd, listener, false, 0});
    }
}

bool VirtualHidServer::Serve(Client client)
{
    std::vector<uint8_t> message(kMaxMessageSize);
    const ssize_t n = ::recv(client.fd, message.data(), message.size(), MSG_DONTWAIT);
    if (n < 0)
        return errno == EAGAIN || errno == EINTR;
    if (n < static_cast<ssize_t>(kHeaderSize))
        return false;
    message.resize(static_cast<std::size_t>(n));
    const uint8_t type = message[0];
    const std::span<const uint8_t> payload(message.data() + kHeaderSize, message.size() - kHeaderSize);
    const Listener& listener = listeners_[client.listener];
    const MouseCollection collection = listener.info.collection;

    if (!client.greeted) {
        uint32_t magic = 0;
        uint16_t version = 0;
        if (type != static_cast<uint8_t>(MessageType::Hello) || payload.size() < kHelloRequestSize)
            return false;
        std::memcpy(&magic, payload.data(), 4);
        std::memcpy(&version, payload.data() + 4, 2);
        const uint8_t mode = payload[6];
        if (magic != kMagic || version != kVersion || mode > static_cast<uint8_t>(OpenMode::Events)) {
            Reply(client.fd, type, static_cast<uint8_t>(Status::BadRequest), {});
            return false;
        }
        Status status = Status::Ok;
        if (!mouse_.IsPlugged())
            status = Status::Gone;
        else if (mode != static_cast<uint8_t>(OpenMode::Describe) && mouse_.AccessDenied())
            status = Status::AccessDenied;
        std::vector<uint8_t> reply;
        for (const uint16_t v : {listener.info.vendorId, listener.info.productId, listener.info.version}) {
            reply.push_back(static_cast<uint8_t>(v & 0xFF));
            reply.push_back(static_cast<uint8_t>(v >> 8));
        }
        reply.insert(reply.end(), listener.descriptor.begin(), listener.descriptor.end());
        {
            std::lock_guard lock(mutex_);
            for (auto& c : clients_)
                if (c.fd == client.fd) {
                    c.greeted = status == Status::Ok;
                    c.mode = mode;
                }
        }
        Reply(client.fd, type, static_cast<uint8_t>(status), reply);
        return status == Status::Ok;
    }

    // Only a collection opened for commands takes reports; the event
    // collection is opened read-only, as on Windows.
    const bool commands = client.mode == static_cast<uint8_t>(OpenMode::Commands);
    // A slow mouse: every report waits before it is served.
    if (const auto delay = mouse_.Faults().answerDelay; delay.count() > 0)
        std::this_thread::sleep_for(delay);
    switch (static_cast<MessageType>(type)) {
    case MessageType::SetFeature: {
        const bool ok = commands && mouse_.HandleSetFeature(collection, payload);
        Emit(log_.SetFeature(collection, payload, ok));
        Reply(client.fd, type, static_cast<uint8_t>(ok ? Status::Ok : Status::Failed), {});
        return true;
    }
    case MessageType::GetFeature: {
        std::vector<uint8_t> report(payload.begin(), payload.end());
        const bool ok = commands && !report.empty() && mouse_.HandleGetFeature(collection, report);
        Emit(log_.GetFeature(collection, report, ok));
        Reply(client.fd, type, static_cast<uint8_t>(ok ? Status::Ok : Status::Failed),
              ok ? std::span<const uint8_t>(report) : std::span<const uint8_t>());
        return true;
    }
    case MessageType::Output: {
        const bool ok = commands && mouse_.HandleOutputReport(collection, payload);
        Emit(log_.Output(collection, payload, ok));
        Reply(client.fd, type, static_cast<uint8_t>(ok ? Status::Ok : Status::Failed), {});
        return true;
    }
    default:
        Reply(client.fd, type, static_cast<uint8_t>(Status::BadRequest), {});
        return true;
    }
}

void VirtualHidServer::Run()
{
    for (;;) {
        if (worker_.Stopping())
            return;
        if (wantPlugged_ != published_) {
            if (wantPlugged_) {
                std::string error;
                if (Publish(&error))
                    Emit("plugged");
                else
                    Emit("error " + error);
            } else {
                Unpublish();
                Emit("unplugged");
            }
        }
        std::vector<pollfd> fds = {{worker_.WakeFd(), POLLIN, 0}};
        for (const auto& l : listeners_)
            if (l.fd >= 0)
                fds.push_back({l.fd, POLLIN, 0});
        const std::size_t firstClient = fds.size();
        std::vector<Client> clients;
        {
            std::lock_guard lock(mutex_);
            clients = clients_;
        }
        for (const auto& c : clients)
            fds.push_back({c.fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), -1) < 0)
            continue;
        if (fds[0].revents) {
            worker_.ConsumeWake();
            continue; // plug changes and stop first; the rest is polled again
        }
        std::size_t index = 1;
        for (std::size_t l = 0; l < listeners_.size(); ++l)
            if (listeners_[l].fd >= 0 && (fds[index++].revents & POLLIN))
                Accept(l);
        for (std::size_t i = 0; i < clients.size(); ++i) {
            const short revents = fds[firstClient + i].revents;
            if (!revents)
                continue;
            // The greeting may have changed the client since the copy.
            Client current;
            {
                std::lock_guard lock(mutex_);
                const auto it = std::find_if(clients_.begin(), clients_.end(),
                                             [&](const Client& c) { return c.fd == clients[i].fd; });
                if (it == clients_.end())
                    continue;
                current = *it;
            }
            if ((revents & POLLIN) ? !Serve(current) : true)
                CloseClient(current.fd);
        }
    }
}

} // namespace lumeno
