// The per-user channel through which a second start hands its document name to the first.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace curvelo::fw {

// The folder for the channel: runtimeDir (the user's $XDG_RUNTIME_DIR) when it is this
// user's and closed to others, else ownFolder, made with mode 0700 when missing and used only
// when it belongs to this user. Empty when neither is safe.
std::string InstanceChannelFolder(const char* runtimeDir, const std::string& ownFolder);

// The socket "cvhuprev" in that folder (ownFolder /tmp/curvelo-<uid>); empty when there is
// no safe folder, and then every start runs as a first instance. Both ends of a connection
// check that the peer runs as this user before anything is sent or acted on.
std::string DefaultInstanceChannel();

// Client side, usable before any application object exists: sends the name and waits for
// the first instance's acknowledgement. True when a first instance took it.
bool HandToFirstInstance(const std::string& documentName, int timeoutMs = 1000,
                         const std::string& channel = DefaultInstanceChannel());

struct InstanceServerImpl;

// Server side: listens while it lives and calls onName (from the event loop) for each
// received name. Needs a running application object.
class SingleInstanceServer {
public:
    explicit SingleInstanceServer(std::function<void(const std::string&)> onName,
                                  const std::string& channel = DefaultInstanceChannel());
    ~SingleInstanceServer();
    SingleInstanceServer(const SingleInstanceServer&) = delete;
    SingleInstanceServer& operator=(const SingleInstanceServer&) = delete;
    bool Listening() const;

private:
    std::unique_ptr<InstanceServerImpl> impl_;
};

}  // namespace curvelo::fw
