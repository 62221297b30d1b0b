#pragma once
// Serves a VirtualMouse as virtual HID devices: one Unix socket per
// collection in the virtual-device folder, spoken to with the protocol of
// platform/VirtualHidProtocol.h. Plugging the mouse publishes the sockets,
// unplugging removes them and drops every connection, so the Linux HidSystem
// sees arrival, removal and failing handles as with a real device.
#include "TrafficLog.h"
#include "VirtualMouse.h"
#include "WakeableWorker.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace lumeno {

class VirtualHidServer final : public VirtualMouseHost {
public:
    // Receives each traffic line (see TrafficLog) and "plugged"/"unplugged";
    // called from the server's thread and from whoever makes the mouse send.
    using LineSink = std::function<void(const std::string&)>;

    VirtualHidServer(VirtualMouse& mouse, std::filesystem::path folder, LineSink lines = {});
    ~VirtualHidServer() override;
    VirtualHidServer(const VirtualHidServer&) = delete;
    VirtualHidServer& operator=(const VirtualHidServer&) = delete;

    // Creates the folder, attaches to the mouse, publishes its sockets if it
    // is plugged in and starts serving. False with a reason on failure.
    bool Start(std::string* error = nullptr);
    // Detaches from the mouse, removes the sockets and stops. Idempotent.
    void Stop();

    // The socket of each collection (whether published or not).
    std::vector<std::filesystem::path> SocketPaths() const;

    void OnInputReport(MouseCollection collection, std::span<const uint8_t> report) override;
    void OnPlugChanged(bool plugged) override;

private:
    struct Listener {
        VirtualCollectionInfo info;
        std::vector<uint8_t> descriptor;
        std::filesystem::path path;
        int fd = -1;
    };
    struct Client {
        int fd = -1;
        std::size_t listener = 0;
        bool greeted = false;
        uint8_t mode = 0;
    };

    void Run();
    bool Publish(std::string* error);
    void Unpublish();
    void Accept(std::size_t listener);
    // False when the connection is to be closed.
    bool Serve(Client client);
    void Reply(int fd, uint8_t type, uint8_t status, std::span<const uint8_t> payload);
    void CloseClient(int fd);
    void Emit(const std::string& line);

    VirtualMouse& mouse_;
    std::filesystem::path folder_;
    LineSink lines_;
    TrafficLog log_;

    std::vector<Listener> listeners_; // fixed after construction, fds owned by the thread
    bool published_ = false;

    mutable std::mutex mutex_; // guards clients_ and sends on their sockets
    std::vector<Client> clients_;

    std::atomic<bool> wantPlugged_{false};
    WakeableWorker worker_;
};

} // namespace lumeno
