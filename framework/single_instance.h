// The per-user channel through which a second start hands its document name to the first.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace curvelo::fw {

// "cvhuprev-" followed by the user's name.
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
